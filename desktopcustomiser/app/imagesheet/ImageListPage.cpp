#include "ImageListPage.h"

#include "Helpers.h"
#include "Preview.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shellapi.h>

#include <cstdlib>

namespace {

int CALLBACK CompareItemPositions(LPARAM a, LPARAM b, LPARAM)
{
    return ComparePositions(a, b);
}

}  // namespace

BEGIN_MESSAGE_MAP(CImageListPage, CPropertyPage)
    ON_WM_CONTEXTMENU()
    ON_BN_CLICKED(IDC_IMAGE_ADD, OnAdd)
    ON_COMMAND(IDC_IMAGE_REMOVE, OnRemove)
    ON_NOTIFY(NM_DBLCLK, IDC_IMAGE_LIST, OnDblClk)
    ON_BN_CLICKED(IDC_IMAGE_UP, OnUp)
    ON_BN_CLICKED(IDC_IMAGE_DOWN, OnDown)
    ON_COMMAND(ID_IMAGE_SET, OnSet)
    ON_COMMAND(ID_IMAGE_SETRANDOM, OnSetRandom)
    ON_COMMAND(ID_IMAGE_OPEN, OnOpen)
    ON_COMMAND(ID_IMAGE_PREVIEW, OnPreview)
    ON_COMMAND(ID_VIEW_LARGEICONS, OnLargeIcons)
    ON_COMMAND(ID_VIEW_DETAILS, OnDetails)
    ON_BN_CLICKED(IDC_RANDOM_ORDER, OnRandomOrder)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_IMAGE_LIST, OnItemChanged)
END_MESSAGE_MAP()

CImageListPage::CImageListPage(UINT nIDTemplate, const ImagePageSetup& setup)
    : CPropertyPage(nIDTemplate), m_setup(setup)
{
    m_bRandomOrder = theApp.GetProfileInt(m_setup.section, "Random Order?", 0) != 0 ? 1 : 0;
}

void CImageListPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IMAGE_LIST, m_list);
    DDX_Check(pDX, IDC_RANDOM_ORDER, m_bRandomOrder);
}

BOOL CImageListPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CImageListPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UseSystemImageLists(m_list, true);

    AddColumns(ListColumnRoom(m_list));
    LoadList();

    CreateToolTips(m_toolTip, *this,
                   {{IDC_IMAGE_REMOVE, m_setup.tipRemove}, {IDC_IMAGE_ADD, m_setup.tipAdd},
                    {IDC_IMAGE_LIST, m_setup.tipList}, {IDC_IMAGE_UP, IDS_TIP_MOVE_UP},
                    {IDC_IMAGE_DOWN, IDS_TIP_MOVE_DOWN}, {IDC_RANDOM_ORDER, m_setup.tipRandom}});
    return TRUE;
}

void CImageListPage::AddColumns(int width)
{
    CString heading;
    LoadResourceCString(heading, m_setup.heading);
    m_list.InsertColumn(0, heading, LVCFMT_LEFT, width);
}

void CImageListPage::LoadList()
{
    // Only the wallpapers have flags.
    m_read = ReadImagePage(theApp.Profile(), m_setup.section, HasFlags(), HasStretch());
    m_rows = m_read.shown.rows;
    for (size_t k = 0; k < m_rows.size(); ++k) {
        const ImageRow& row = m_rows[k];
        int index = m_list.InsertItem(m_list.GetItemCount(), row.path.c_str(), GetSystemIconIndex(row.path.c_str()));
        if (index < 0) {
            AfxMessageBox(IDS_LIST_INSERT_ERROR);
            // The rows not shown are kept as stored, before what was kept already.
            std::vector<ImageRow> rest(m_rows.begin() + static_cast<std::ptrdiff_t>(k), m_rows.end());
            StoredImageList kept = StoreImageRows(rest, m_read.shown);
            m_read.shown.listTail = kept.list;
            m_read.shown.tileTail = kept.tile;
            m_read.shown.stretchTail = kept.stretch;
            m_rows.resize(k);
            return;
        }
        ShowRowFlags(index, row);
    }
}

int CImageListPage::PutRow(int row, const char* path)
{
    if (row < 0) {
        if (m_list.InsertItem(0, path, GetSystemIconIndex(path)) < 0)
            return -1;
        ImageRow added;
        added.path = path;
        SetImageRowStyle(added, false, false, HasStretch());
        m_rows.insert(m_rows.begin(), added);
        return 0;
    }
    if (!m_list.SetItem(row, 0, LVIF_TEXT | LVIF_IMAGE, path, GetSystemIconIndex(path), 0, 0, 0))
        return -1;
    m_rows[static_cast<size_t>(row)].path = path;
    return row;
}

int CImageListPage::FirstSelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

CString CImageListPage::RowPath(int row) const
{
    return row >= 0 ? m_list.GetItemText(row, 0) : CString();
}

void CImageListPage::RenumberItems()
{
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        m_list.SetItemData(i, static_cast<DWORD_PTR>(i));
}

void CImageListPage::SetViewMode(int view)
{
    SetListViewStyle(m_list, view == 0 ? LVS_ICON : LVS_REPORT);
}

void CImageListPage::OnAdd()
{
    EditItem(-1);
}

void CImageListPage::OnRemove()
{
    if (m_list.GetSelectedCount() != 1) {
        AfxMessageBox(m_setup.noSelection);
        return;
    }
    int row = FirstSelectedRow();
    if (m_list.DeleteItem(row))
        m_rows.erase(m_rows.begin() + row);
    SetModified(TRUE);
}

void CImageListPage::OnUp()
{
    MoveSelected(true);
}

void CImageListPage::OnDown()
{
    MoveSelected(false);
}

void CImageListPage::MoveSelected(bool up)
{
    int count = m_list.GetItemCount();
    int selected = FirstSelectedRow();
    if (!MoveAllowed(CheckMove(count, static_cast<int>(m_list.GetSelectedCount()), selected, up)))
        return;
    // Every row is given the place it goes to, so the sort moves exactly the pair whatever
    // order the list control compares its items in; rows keep their selection.
    int c = MovePairStart(selected, up);
    RenumberItems();
    std::vector<int> positions = SwappedPositions(count, c);
    m_list.SetItemData(c, static_cast<DWORD_PTR>(positions[static_cast<size_t>(c)]));
    m_list.SetItemData(c + 1, static_cast<DWORD_PTR>(positions[static_cast<size_t>(c) + 1]));
    m_list.SortItems(CompareItemPositions, 0);
    std::swap(m_rows[static_cast<size_t>(c)], m_rows[static_cast<size_t>(c) + 1]);
    m_list.EnsureVisible(up ? c : c + 1, FALSE);
    SetModified(TRUE);
}

void CImageListPage::ApplyRow(int, const CString& path)
{
    theApp.ApplyImage(m_setup.category, path);
}

void CImageListPage::OnSet()
{
    int row = FirstSelectedRow();
    CString path = RowPath(row);
    if (path.IsEmpty() || FileExists(path) == 0) {
        AfxMessageBox(m_setup.invalidFile);
        return;
    }
    ApplyRow(row, path);
    theApp.WriteProfileInt(m_setup.section, "Current Order", row);
}

void CImageListPage::OnSetRandom()
{
    int row = RandomRowIndex(std::rand(), m_list.GetItemCount());
    if (row < 0) {
        OnNoRowsToRandomize();
        return;
    }
    ApplyRow(row, RowPath(row));
}

void CImageListPage::OnOpen()
{
    int row = FirstSelectedRow();
    if (row >= 0)
        OpenImageInPaint(m_hWnd, RowPath(row));
}

void CImageListPage::OnPreview()
{
    if (m_list.GetSelectedCount() != 1)
        return;
    CString path = RowPath(FirstSelectedRow());
    if (!path.IsEmpty() && FileExists(path) == 1)
        OpenImagePreview(path);
}

void CImageListPage::OnLargeIcons()
{
    SetViewMode(0);
}

void CImageListPage::OnDetails()
{
    SetViewMode(1);
}

void CImageListPage::OnRandomOrder()
{
    SetModified(TRUE);
}

void CImageListPage::OnDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_list.m_hWnd, &pt);
    UINT flags = 0;
    int row = m_list.HitTest(pt, &flags);
    if (row >= 0 && (flags & LVHT_ONITEM))
        EditItem(row);
}

void CImageListPage::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CImageListPage::OnContextMenu(CWnd*, POINT pt)
{
    bool onRow = false;
    if (pt.x == -1 && pt.y == -1) {
        // From the keyboard: at the selected row, or at the list's corner when there is none.
        int row = FirstSelectedRow();
        RECT rect = {};
        if (row >= 0 && m_list.GetItemRect(row, &rect, LVIR_LABEL)) {
            pt = {rect.left + 8, rect.bottom};
            onRow = true;
        } else {
            pt = {0, 0};
        }
        ::ClientToScreen(m_list.m_hWnd, &pt);
    } else {
        POINT client = pt;
        ::ScreenToClient(m_list.m_hWnd, &client);
        UINT flags = 0;
        onRow = m_list.HitTest(client, &flags) >= 0 && (flags & LVHT_ONITEM);
    }
    CMenu menu;
    if (!menu.LoadMenu(onRow ? m_setup.rowMenu : IDR_LISTVIEW_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    // Owned by the sheet; the chosen command goes to this page, the active one.
    UINT command = static_cast<UINT>(
        popup->TrackPopupMenu(TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, GetTopLevelParent()));
    if (command)
        SendMessage(WM_COMMAND, command);
}

void CImageListPage::OnOK()
{
    m_bStored = false;
    if (!UpdateData(TRUE))
        return;
    WritePlan plan = PlanImagePageSave(theApp.Profile(), m_setup.section, m_read, m_rows, m_bRandomOrder, HasFlags());
    if (auto refused = RunWritePlan(plan)) {
        AfxMessageBox(RefusedWriteMessage(*refused).c_str());
        return;
    }
    // What is stored now is what the next Apply compares with.
    m_read = ReadImagePage(theApp.Profile(), m_setup.section, HasFlags(), HasStretch());
    if (m_read.shown.rows.size() == m_rows.size())
        m_rows = m_read.shown.rows;
    m_bStored = true;
    CPropertyPage::OnOK();
}

BOOL CImageListPage::OnApply()
{
    // A refused write keeps the sheet open on the page, which says what could not be written.
    OnOK();
    return m_bStored;
}
