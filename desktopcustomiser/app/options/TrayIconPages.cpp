#include "TrayIconPages.h"

#include "Helpers.h"
#include "MainFrameMessages.h"
#include "OptionsRules.h"
#include "SharedDialogs.h"
#include "UserEntries.h"
#include "framework/Afx.h"
#include "resource.h"

#include <vector>

namespace {

const UserEntryPageKind kIconPage = {IDD_TRAYICONS_PAGE, "Tray Icons", "Description", "Description",
                                     IDS_ENTRY_TIP_FIRST, IDS_ENTRY_MESSAGE_FIRST + 0, IDS_ENTRY_MESSAGE_FIRST + 1,
                                     IDS_ENTRY_MESSAGE_FIRST + 4, TRUE, SCF_USERTRAYICONS};
const UserEntryPageKind kMenuPage = {IDD_TRAYMENUS_PAGE, "Tray Menus", "Menu Text", "Menu Text",
                                     IDS_ENTRY_TIP_FIRST + 4, IDS_ENTRY_MESSAGE_FIRST + 2, IDS_ENTRY_MESSAGE_FIRST + 3,
                                     IDS_ENTRY_MESSAGE_FIRST + 5, FALSE, SCF_TRAYMENU};

int EditOfProblem(ItemProblem problem)
{
    switch (problem) {
    case ItemProblem::NoDescription:
    case ItemProblem::BarInDescription:
        return IDC_ITEM_DESCRIPTION;
    case ItemProblem::BarInParameters:
        return IDC_ITEM_PARAMETERS;
    default:
        return IDC_ITEM_PROGRAM;
    }
}

}  // namespace

// ---- the item dialog ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CItemPropertiesDialog, CDialog)
    ON_BN_CLICKED(IDC_ITEM_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CItemPropertiesDialog::CItemPropertiesDialog(CWnd* pParentWnd) : CDialog(IDD_ITEM_PROPERTIES, pParentWnd) {}

void CItemPropertiesDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ITEM_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_ITEM_PROGRAM, m_strProgram);
    DDX_Text(pDX, IDC_ITEM_PARAMETERS, m_strParameters);
}

BOOL CItemPropertiesDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strParameters = ShownParameters(m_strParameters);
    SetWindowText(LoadResourceString(m_bIcon ? IDS_TRAYICON_PROPERTIES : IDS_TRAYMENU_PROPERTIES));
    UpdateData(FALSE);
    CreateToolTips(m_tips, *this,
                   {{IDC_ITEM_DESCRIPTION, IDS_ITEM_TIP_FIRST + 0}, {IDOK, IDS_ITEM_TIP_FIRST + 1},
                    {IDCANCEL, IDS_ITEM_TIP_FIRST + 2}, {IDC_ITEM_PROGRAM, IDS_ITEM_TIP_FIRST + 3},
                    {IDC_ITEM_BROWSE, IDS_ITEM_TIP_FIRST + 4}, {IDC_ITEM_PARAMETERS, IDS_ITEM_TIP_FIRST + 5}});
    // Registered as the open modal dialog, so that leaving the program from the tray cancels
    // it before the sheet that opened it.
    if (CWnd* main = AfxGetApp()->GetMainWnd())
        main->SendMessage(WM_SETTINGSCHANGED, reinterpret_cast<WPARAM>(this), SCF_MODALDIALOG);
    return TRUE;
}

BOOL CItemPropertiesDialog::PreTranslateMessage(MSG* pMsg)
{
    m_tips.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CItemPropertiesDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    ItemProblem problem = ValidateItem(m_strDescription, m_strProgram, m_strParameters);
    if (problem != ItemProblem::None) {
        AfxMessageBox(ItemProblemMessage(problem), MB_OK);
        GotoDlgCtrl(GetDlgItem(EditOfProblem(problem)));
        return;
    }
    m_strParameters = StoredParameters(m_strParameters);
    SetDlgItemText(IDC_ITEM_PARAMETERS, m_strParameters);
    EndDialog(IDOK);
}

void CItemPropertiesDialog::OnBrowse()
{
    if (!UpdateData(TRUE))
        return;
    CString chosen;
    if (!BrowseForFile(chosen, "Browse For File To Run", m_strProgram, 129, this))
        return;
    m_strProgram = chosen;
    if (m_strDescription.IsEmpty())
        m_strDescription = DescriptionFromProgram(chosen);
    UpdateData(FALSE);
}

// ---- the pages ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CUserEntryPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ENTRY_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ENTRY_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_ENTRY_MODIFY, OnModify)
    ON_NOTIFY(NM_DBLCLK, IDC_ENTRY_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CUserEntryPage::CUserEntryPage(const UserEntryPageKind& kind) : CPropertyPage(kind.dialog), m_kind(kind) {}
CTrayIconPage::CTrayIconPage() : CUserEntryPage(kIconPage) {}
CTrayIconMenuPage::CTrayIconMenuPage() : CUserEntryPage(kMenuPage) {}

BOOL CUserEntryPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_ENTRY_LIST, this);
    UseSystemImageLists(m_list);
    m_list.InsertColumn(0, m_kind.firstHeading, LVCFMT_LEFT, ListColumnRoom(m_list, 250));
    m_list.InsertColumn(1, "Run", LVCFMT_LEFT, 160);
    m_list.InsertColumn(2, "Parameters", LVCFMT_LEFT, 90);
    WidenColumnsToHeadings(m_list);

    m_read = ReadUserEntryPage(AfxGetApp()->Profile(), m_kind.section, m_kind.firstList);
    for (const UserEntryRow& row : m_read.shown.rows)
        PutRow(-1, row.text, row.program, row.parameters);

    CreateToolTips(m_tips, *this,
                   {{IDC_ENTRY_LIST, m_kind.firstTip}, {IDC_ENTRY_REMOVE, m_kind.firstTip + 1},
                    {IDC_ENTRY_ADD, m_kind.firstTip + 2}, {IDC_ENTRY_MODIFY, m_kind.firstTip + 3}});
    return TRUE;
}

BOOL CUserEntryPage::PreTranslateMessage(MSG* pMsg)
{
    m_tips.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CUserEntryPage::PutRow(int row, const char* text, const char* program, const char* parameters)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row < 0 ? m_list.GetItemCount() : row;
    item.pszText = const_cast<char*>(text);
    item.iImage = GetSystemIconIndex(program);
    if (row < 0)
        row = m_list.InsertItem(&item);  // the list keeps its rows sorted by the first column
    else if (!ListView_SetItem(m_list.m_hWnd, &item))
        row = -1;
    if (row < 0)
        return;
    m_list.SetItemText(row, 1, program);
    m_list.SetItemText(row, 2, parameters);
}

int CUserEntryPage::SingleSelection() const
{
    if (m_list.GetSelectedCount() != 1)
        return -1;
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CUserEntryPage::EditRow(int row)
{
    CItemPropertiesDialog dialog(this);
    dialog.m_bIcon = m_kind.icons;
    if (row >= 0) {
        dialog.m_strDescription = m_list.GetItemText(row, 0);
        dialog.m_strProgram = m_list.GetItemText(row, 1);
        dialog.m_strParameters = m_list.GetItemText(row, 2);
    }
    INT_PTR result = dialog.DoModal();
    if (CWnd* main = AfxGetApp()->GetMainWnd())
        main->SendMessage(WM_SETTINGSCHANGED, 0, SCF_MODALDIALOG);
    if (result != IDOK)
        return;
    SetModified();
    if (m_kind.icons)
        m_bChanged = TRUE;
    PutRow(row, dialog.m_strDescription, dialog.m_strProgram, dialog.m_strParameters);
}

void CUserEntryPage::OnAdd()
{
    // The main frame runs 100 entries of each kind; more would never appear or run.
    if (m_list.GetItemCount() >= kMaxUserEntries) {
        AfxMessageBox(m_kind.limitMessage, MB_OK);
        return;
    }
    EditRow(-1);
}

void CUserEntryPage::OnRemove()
{
    int row = SingleSelection();
    if (row < 0) {
        AfxMessageBox(m_kind.noRemoveMessage, MB_OK);
        return;
    }
    m_list.DeleteItem(row);
    SetModified();
    if (m_kind.icons)
        m_bChanged = TRUE;
}

void CUserEntryPage::OnModify()
{
    int row = SingleSelection();
    if (row < 0) {
        AfxMessageBox(m_kind.noModifyMessage, MB_OK);
        return;
    }
    EditRow(row);
}

void CUserEntryPage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    LVHITTESTINFO hit = {};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(m_list.m_hWnd, &hit.pt);
    int row = ListView_HitTest(m_list.m_hWnd, &hit);
    if (row >= 0)
        EditRow(row);
}

void CUserEntryPage::OnOK()
{
    std::vector<UserEntryRow> rows;
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        rows.push_back({m_list.GetItemText(i, 0), m_list.GetItemText(i, 1), m_list.GetItemText(i, 2)});
    ProfileStore& profile = AfxGetApp()->Profile();
    m_bStored = false;
    if (auto refused = RunWritePlan(PlanUserEntrySave(profile, m_kind.section, m_kind.firstList, m_read, rows))) {
        AfxMessageBox(RefusedWriteMessage(*refused).c_str(), MB_OK);
        return;
    }
    m_bStored = true;
    m_read = ReadUserEntryPage(profile, m_kind.section, m_kind.firstList);
    bool tell = !m_kind.icons || m_bChanged;
    m_bChanged = FALSE;
    if (tell)
        if (CWnd* main = AfxGetApp()->GetMainWnd())
            main->SendMessage(WM_SETTINGSCHANGED, 0, m_kind.settingsFlag);
    CPropertyPage::OnOK();
}

BOOL CUserEntryPage::OnApply()
{
    // A refused write keeps the sheet open on the page, which says what could not be written.
    OnOK();
    return m_bStored;
}
