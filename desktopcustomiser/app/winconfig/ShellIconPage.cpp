#include "WindowsConfigSheet.h"

#include "Helpers.h"
#include "SharedDialogs.h"
#include "Win32RegistryStore.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>

namespace {

constexpr int kImageSlots = 50;

// Shows an icon in a picture control; the control's earlier icon is destroyed.
void ShowIcon(CStatic& picture, HICON icon)
{
    if (HICON old = picture.SetIcon(icon))
        ::DestroyIcon(old);
}

int NumberOf(const std::string& text)
{
    return std::atoi(text.c_str());
}

}  // namespace

int CShellIconPage::s_nSortState = -1;

CString CShellIconPage::GetRowName(int key)
{
    CString name;
    if (const ShellIconInfo* info = FindShellIcon(key))
        name.LoadString(info->nameId);
    if (name.IsEmpty())
        name.Format("%d", key);
    return name;
}

IconLocation CShellIconPage::GetDefaultIcon(int key)
{
    return DefaultShellIcon(key, static_cast<const char*>(g_strSystemFolder), static_cast<const char*>(g_strWindowsFolder));
}

int CShellIconPage::GetPlusIconIndex(int key)
{
    return PlusIconNumber(key, IsPlusPackInstalled() != FALSE);
}

BEGIN_MESSAGE_MAP(CShellIconPage, CPropertyPage)
    ON_WM_CONTEXTMENU()
    ON_NOTIFY(NM_DBLCLK, IDC_ICON_LIST, OnDoubleClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ICON_LIST, OnItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_ICON_LIST, OnColumnClick)
    ON_COMMAND(ID_ICON_DEFAULT, OnDefaultIcon)
    ON_COMMAND(ID_ICON_PLUS, OnPlusIcon)
    ON_COMMAND(IDC_ICON_MODIFY, OnModify)
    ON_COMMAND(IDC_ICON_RESTOREALL, OnRestoreAll)
    ON_COMMAND(ID_VIEW_LARGEICONS, OnLargeIcons)
    ON_COMMAND(ID_VIEW_DETAILS, OnDetails)
END_MESSAGE_MAP()

CShellIconPage::CShellIconPage() : CPropertyPage(IDD_SHELLICONS) {}

void CShellIconPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ICON_MODIFY, m_buttonModify);
    DDX_Control(pDX, ID_ICON_PLUS, m_buttonPlus);
    DDX_Control(pDX, ID_ICON_DEFAULT, m_buttonDefault);
    DDX_Control(pDX, IDC_ICON_LIST, m_list);
}

void CShellIconPage::SetModified(BOOL bChanged)
{
    CPropertyPage::SetModified(bChanged);
    m_bModified = bChanged ? 1 : 0;
}

BOOL CShellIconPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, kImageSlots, 0);
    m_imageList.SetBkColor(::GetSysColor(COLOR_WINDOW));
    HICON exclamation = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_EXCLAMATION
    for (int i = 0; i < kImageSlots; ++i)
        m_imageList.Add(exclamation);
    m_list.SetImageList(&m_imageList, LVSIL_SMALL);

    CString heading;
    heading.LoadString(57829);
    m_list.InsertColumn(0, heading, LVCFMT_LEFT, 165, 0);
    heading.LoadString(57830);
    m_list.InsertColumn(1, heading, LVCFMT_LEFT, ListColumnRoom(m_list, 210), 1);
    heading.LoadString(57831);
    m_list.InsertColumn(2, heading, LVCFMT_RIGHT, 45, 2);

    FillIconList();

    CreateToolTips(m_toolTip, *this, {{IDC_ICON_LIST, 57832}, {IDC_ICON_MODIFY, 57833}});
    Sort(0);
    return TRUE;
}

BOOL CShellIconPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

ShellIconRow* CShellIconPage::RowOf(int key)
{
    for (ShellIconRow& row : m_rows)
        if (row.key == key)
            return &row;
    return nullptr;
}

void CShellIconPage::FillIconList()
{
    BeginWaitCursor();
    m_rows.clear();
    for (const ShellIconInfo& info : ShellIconTable()) {
        ShellIconRow row = ReadShellIconRow(TheRegistry(), info.key, static_cast<const char*>(g_strSystemFolder),
                                            static_cast<const char*>(g_strWindowsFolder));
        if (HICON icon = ExtractFileIcon(row.location.file.c_str(), NumberOf(row.location.number), false)) {
            ::ImageList_ReplaceIcon(m_imageList.m_hImageList, info.key, icon);
            ::DestroyIcon(icon);
        }
        int item = m_list.InsertItem(m_list.GetItemCount(), GetRowName(info.key), info.key);
        m_list.SetItemData(item, DWORD_PTR(info.key));
        m_list.SetItemText(item, 1, row.location.file.c_str());
        m_list.SetItemText(item, 2, row.location.number.c_str());
        m_rows.push_back(row);
    }
    EndWaitCursor();
}

void CShellIconPage::SetRowIcon(int item, int key, const IconLocation& location)
{
    m_list.SetItemText(item, 1, location.file.c_str());
    m_list.SetItemText(item, 2, location.number.c_str());
    if (HICON icon = ExtractFileIcon(location.file.c_str(), NumberOf(location.number), false)) {
        ::ImageList_ReplaceIcon(m_imageList.m_hImageList, key, icon);
        ::DestroyIcon(icon);
    }
    m_list.SetItemImage(item, key);
    if (ShellIconRow* row = RowOf(key))
        row->location = location;
}

void CShellIconPage::ShowIconProperties(int item)
{
    if (item < 0)
        return;
    int key = static_cast<int>(m_list.GetItemData(item));
    CShellIconPropertiesDialog dialog(this);
    dialog.m_strIconFile = m_list.GetItemText(item, 1);
    dialog.m_nIconNumber = std::atoi(m_list.GetItemText(item, 2));
    dialog.m_nKey = key;
    if (dialog.DoModal() != IDOK)
        return;
    SetModified(TRUE);
    SetRowIcon(item, key, {static_cast<const char*>(dialog.m_strIconFile), std::to_string(dialog.m_nIconNumber)});
    m_list.RedrawItems(item, item);
    m_list.UpdateWindow();
}

void CShellIconPage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_list.m_hWnd, &point);
    ShowIconProperties(m_list.HitTest(point));
}

void CShellIconPage::OnModify()
{
    if (m_list.GetSelectedCount() != 1) {
        AfxMessageBox(57882);
        return;
    }
    ShowIconProperties(m_list.GetNextItem(-1, LVNI_SELECTED));
}

void CShellIconPage::OnDefaultIcon()
{
    int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0) {
        AfxMessageBox(57881);
        return;
    }
    int key = static_cast<int>(m_list.GetItemData(item));
    SetRowIcon(item, key, GetDefaultIcon(key));
    SetModified(TRUE);
    m_list.RedrawItems(item, item);
    m_list.UpdateWindow();
}

void CShellIconPage::OnPlusIcon()
{
    int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    int plus = item >= 0 ? GetPlusIconIndex(static_cast<int>(m_list.GetItemData(item))) : -1;
    if (plus < 0) {
        AfxMessageBox(57881);
        return;
    }
    int key = static_cast<int>(m_list.GetItemData(item));
    SetRowIcon(item, key, {std::string(g_strSystemFolder) + "\\Cool.dll", std::to_string(plus)});
    SetModified(TRUE);
    m_list.RedrawItems(item, item);
    m_list.UpdateWindow();
}

void CShellIconPage::OnRestoreAll()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        int key = static_cast<int>(m_list.GetItemData(item));
        int plus = GetPlusIconIndex(key);
        if (plus >= 0 && version.dwMinorVersion == 0)
            SetRowIcon(item, key, {std::string(g_strSystemFolder) + "\\Cool.dll", std::to_string(plus)});
        else
            SetRowIcon(item, key, GetDefaultIcon(key));
    }
    SetModified(TRUE);
    m_list.RedrawItems(0, m_list.GetItemCount() - 1);
    m_list.UpdateWindow();
}

void CShellIconPage::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    m_buttonModify.EnableWindow(item >= 0);
    m_buttonDefault.EnableWindow(item >= 0);
    m_buttonPlus.EnableWindow(item >= 0 && GetPlusIconIndex(static_cast<int>(m_list.GetItemData(item))) >= 0);
}

void CShellIconPage::Sort(int column)
{
    SortListByColumn(m_list, column, s_nSortState);
}

void CShellIconPage::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    Sort(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
}

void CShellIconPage::OnLargeIcons()
{
    SetListViewStyle(m_list, LVS_ICON);
}

void CShellIconPage::OnDetails()
{
    SetListViewStyle(m_list, LVS_REPORT);
}

void CShellIconPage::OnContextMenu(CWnd*, POINT point)
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    POINT client = cursor;
    ::ScreenToClient(m_list.m_hWnd, &client);
    int item = m_list.HitTest(client);
    if (item < 0) {
        // From the keyboard the row is the selected one, not the one under the mouse.
        if (point.x != -1 || point.y != -1)
            return;
        item = m_list.GetNextItem(-1, LVNI_SELECTED);
        if (item < 0)
            return;
    }
    if (point.x == -1 && point.y == -1) {
        RECT rect;
        m_list.GetItemRect(item, &rect, LVIR_LABEL);
        POINT corner = {rect.left + 5, rect.bottom};
        ::ClientToScreen(m_list.m_hWnd, &corner);
        point = corner;
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_SHELLICON_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (GetPlusIconIndex(static_cast<int>(m_list.GetItemData(item))) < 0)
        popup->DeleteMenu(3, MF_BYPOSITION);
    // The sheet owns the menu and hands its commands to the active page.
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetTopLevelParent());
}

bool CShellIconPage::ApplyIcons()
{
    if (!m_bModified)
        return true;
    RegWritePlan plan = PlanShellIcons(m_rows);
    // Rows changed and changed back leave nothing to write, and nothing to rebuild.
    if (plan.empty()) {
        m_bModified = 0;
        return true;
    }
    PlanOutcome outcome = RunWritePlan(TheRegistry(), plan);
    if (!outcome.ok) {
        // Nothing of this apply is left in the registry: the rows stay as the user left them,
        // on the page, for another try.
        if (CPropertySheet* sheet = GetSheet())
            sheet->SetActivePage(sheet->GetPageIndex(this));
        CString text;
        text.Format("The shell icons were not changed: Windows refused to write %s.", outcome.refused.c_str());
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    ShellIconsApplied(m_rows);

    CDialog notice;
    notice.Create(IDD_REBUILD_ICONS, this);
    // The template is hidden: the notice is shown, over the sheet, for as long as the rebuild runs.
    notice.CenterWindow();
    notice.ShowWindow(SW_SHOW);
    notice.SetForegroundWindow();
    notice.UpdateWindow();
    ICONMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETICONMETRICS, sizeof metrics, &metrics, 0);
    RebuildShellIconCache(TheRegistry(), [&] {
        if (CWnd* sheet = GetParent())
            sheet->UpdateWindow();
        notice.UpdateWindow();
        ::SystemParametersInfoA(SPI_SETICONMETRICS, sizeof metrics, &metrics,
                                SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    });
    notice.DestroyWindow();
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr);
    m_bModified = 0;
    return true;
}

BOOL CShellIconPage::OnApply()
{
    // A refused write keeps the sheet open; the framework's apply then finds nothing left to do.
    if (!ApplyIcons())
        return FALSE;
    return CPropertyPage::OnApply();
}

void CShellIconPage::OnOK()
{
    ApplyIcons();
    CPropertyPage::OnOK();
}

// ---- Shell icon properties dialog ----

BEGIN_MESSAGE_MAP(CShellIconPropertiesDialog, CDialog)
    ON_BN_CLICKED(IDC_ICONDLG_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_ICONDLG_DEFAULTBUTTON, OnDefaultIcon)
    ON_BN_CLICKED(IDC_ICONDLG_PLUSBUTTON, OnPlusIcon)
    ON_EN_CHANGE(IDC_ICONDLG_NUMBER, OnNumberChanged)
    ON_EN_CHANGE(IDC_ICONDLG_FILE, OnFileChanged)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CShellIconPropertiesDialog::CShellIconPropertiesDialog(CWnd* pParent) : CDialog(IDD_SHELLICON_PROPERTIES, pParent) {}

void CShellIconPropertiesDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ICONDLG_PLUSLABEL, m_staticPlusLabel);
    DDX_Control(pDX, IDC_ICONDLG_SPIN, m_spin);
    DDX_Control(pDX, IDC_ICONDLG_PLUSPICTURE, m_staticPlusIcon);
    DDX_Control(pDX, IDC_ICONDLG_PLUSBUTTON, m_buttonPlus);
    DDX_Control(pDX, IDC_ICONDLG_NUMBER, m_editNumber);
    DDX_Control(pDX, IDC_ICONDLG_FILE, m_editFile);
    DDX_Control(pDX, IDC_ICONDLG_DEFAULT, m_staticDefaultIcon);
    DDX_Control(pDX, IDC_ICONDLG_CURRENT, m_staticCurrentIcon);
    DDX_Text(pDX, IDC_ICONDLG_FILE, m_strIconFile);
    DDV_MaxChars(pDX, m_strIconFile, 260);
    DDX_Text(pDX, IDC_ICONDLG_NUMBER, m_nIconNumber);
}

BOOL CShellIconPropertiesDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString format, title;
    format.LoadString(57885);
    title.Format(format, static_cast<const char*>(CShellIconPage::GetRowName(m_nKey)));
    SetWindowText(title);

    int plus = CShellIconPage::GetPlusIconIndex(m_nKey);
    HICON plusIcon = plus >= 0 ? ExtractFileIcon((std::string(g_strSystemFolder) + "\\Cool.dll").c_str(), plus, true) : nullptr;
    if (plusIcon)
        ShowIcon(m_staticPlusIcon, plusIcon);
    int show = plus >= 0 ? SW_SHOW : SW_HIDE;
    m_staticPlusLabel.ShowWindow(show);
    m_staticPlusIcon.ShowWindow(show);
    m_buttonPlus.ShowWindow(show);

    IconLocation fallback = CShellIconPage::GetDefaultIcon(m_nKey);
    if (HICON icon = ExtractFileIcon(fallback.file.c_str(), NumberOf(fallback.number), true))
        ShowIcon(m_staticDefaultIcon, icon);
    UpdateCurrentIcon();
    UpdateIconCount();
    return TRUE;
}

void CShellIconPropertiesDialog::OnDestroy()
{
    // The three pictures' icons were extracted for them; they go with the dialog.
    for (CStatic* picture : {&m_staticCurrentIcon, &m_staticDefaultIcon, &m_staticPlusIcon})
        if (picture->m_hWnd)
            ShowIcon(*picture, nullptr);
    CDialog::OnDestroy();
}

void CShellIconPropertiesDialog::UpdateCurrentIcon()
{
    if (!UpdateData(TRUE))
        return;
    HICON icon = ExtractFileIcon(m_strIconFile, m_nIconNumber, true);
    ShowIcon(m_staticCurrentIcon, icon);
    m_staticCurrentIcon.ShowWindow(icon ? SW_SHOW : SW_HIDE);
}

void CShellIconPropertiesDialog::UpdateIconCount()
{
    UpdateData(TRUE);
    CString file;
    m_editFile.GetWindowText(file);
    m_nIconCount = OfferIconNumbers(file, m_editNumber, m_spin);
}

void CShellIconPropertiesDialog::OnNumberChanged()
{
    if (m_editNumber.m_hWnd)
        UpdateCurrentIcon();
}

void CShellIconPropertiesDialog::OnFileChanged()
{
    if (m_editFile.m_hWnd) {
        UpdateCurrentIcon();
        UpdateIconCount();
    }
}

void CShellIconPropertiesDialog::OnBrowse()
{
    CString title, current, answer;
    title.LoadString(57883);
    m_editFile.GetWindowText(current);
    if (!BrowseForIconFile(answer, title, current, 122, this) || answer.IsEmpty())
        return;
    std::string text = static_cast<const char*>(answer);
    size_t comma = text.find(',');
    m_editFile.SetWindowText(text.substr(0, comma).c_str());
    m_editNumber.SetWindowText(comma == std::string::npos ? "0" : text.substr(comma + 1).c_str());
    UpdateIconCount();
}

void CShellIconPropertiesDialog::OnDefaultIcon()
{
    IconLocation fallback = CShellIconPage::GetDefaultIcon(m_nKey);
    m_editFile.SetWindowText(fallback.file.c_str());
    m_editNumber.SetWindowText(fallback.number.c_str());
    UpdateIconCount();
}

void CShellIconPropertiesDialog::OnPlusIcon()
{
    m_editFile.SetWindowText((std::string(g_strSystemFolder) + "\\Cool.dll").c_str());
    m_editNumber.SetWindowText(std::to_string(CShellIconPage::GetPlusIconIndex(m_nKey)).c_str());
    UpdateIconCount();
}

void CShellIconPropertiesDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nIconNumber < m_nIconCount) {
        EndDialog(IDOK);
        return;
    }
    CString format, text;
    format.LoadString(57884);
    text.Format(format, static_cast<unsigned long>(m_nIconCount), static_cast<const char*>(m_strIconFile));
    AfxMessageBox(text);
}
