#include "MediaSheet.h"

#include "Helpers.h"
#include "ImageListRules.h"
#include "PlayLists.h"
#include "SharedDialogs.h"
#include "framework/Afx.h"
#include "resource.h"

#include <commdlg.h>
#include <shellapi.h>

#include <utility>

namespace {

// Asked for after a refused name, once the tree has closed its editor.
constexpr UINT kEditLabelAgain = WM_APP + 1;
// Room for the names of many files chosen at once.
constexpr DWORD kChosenFilesBuffer = 75000;

const int kFileControls[] = {IDC_MUSIC_FILES, IDC_MUSIC_ADD, IDC_MUSIC_REMOVE, IDC_MUSIC_UP, IDC_MUSIC_DOWN};

// The folder of the previous Add, for the rest of this run of the program.
CString g_strLastFolder;

}  // namespace

BEGIN_MESSAGE_MAP(CMIDIPage, CPropertyPage)
    ON_BN_CLICKED(IDC_MUSIC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_MUSIC_RANDOM, OnRandomClicked)
    ON_BN_CLICKED(IDC_MUSIC_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_MUSIC_DOWN, OnDown)
    ON_BN_CLICKED(IDC_MUSIC_UP, OnUp)
    ON_BN_CLICKED(IDC_MUSIC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_MUSIC_NEW, OnNew)
    ON_NOTIFY(TVN_SELCHANGINGA, IDC_MUSIC_LISTS, OnSelChanging)
    ON_NOTIFY(TVN_SELCHANGEDA, IDC_MUSIC_LISTS, OnSelChanged)
    ON_NOTIFY(TVN_BEGINLABELEDITA, IDC_MUSIC_LISTS, OnBeginLabelEdit)
    ON_NOTIFY(TVN_ENDLABELEDITA, IDC_MUSIC_LISTS, OnEndLabelEdit)
    ON_MESSAGE(kEditLabelAgain, OnEditLabelAgain)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMIDIPage::CMIDIPage() : CPropertyPage(IDD_MIDIPAGE)
{
    m_bRandom = AfxGetApp()->GetProfileInt(kMusicSection, "MIDI Randomize", 0) != 0 ? 1 : 0;
}

void CMIDIPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MUSIC_LISTS, m_tree);
    DDX_Control(pDX, IDC_MUSIC_UP, m_btnUp);
    DDX_Control(pDX, IDC_MUSIC_REMOVE, m_btnRemove);
    DDX_Control(pDX, IDC_MUSIC_RANDOM, m_chkRandom);
    DDX_Control(pDX, IDC_MUSIC_DOWN, m_btnDown);
    DDX_Control(pDX, IDC_MUSIC_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_MUSIC_FILES, m_list);
    DDX_Check(pDX, IDC_MUSIC_RANDOM, m_bRandom);
}

BOOL CMIDIPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UseSystemImageLists(m_list);
    CString heading;
    heading.LoadString(IDS_MULTIMEDIA_FILES);
    m_list.InsertColumn(0, heading, LVCFMT_LEFT, ListColumnRoom(m_list));

    LoadPlayLists();

    CreateToolTips(m_toolTip, *this, {
        {IDC_MUSIC_LISTS, IDS_TIP_MUSIC_LISTS}, {IDC_MUSIC_NEW, IDS_TIP_MUSIC_NEW},
        {IDC_MUSIC_DELETE, IDS_TIP_MUSIC_DELETE}, {IDC_MUSIC_FILES, IDS_TIP_MUSIC_FILES},
        {IDC_MUSIC_RANDOM, IDS_TIP_MUSIC_RANDOM}, {IDC_MUSIC_DOWN, IDS_TIP_MUSIC_DOWN},
        {IDC_MUSIC_UP, IDS_TIP_MUSIC_UP},       {IDC_MUSIC_ADD, IDS_TIP_MUSIC_ADD},
        {IDC_MUSIC_REMOVE, IDS_TIP_MUSIC_REMOVE},
    });
    return TRUE;
}

CString* CMIDIPage::FilesOf(const CTreeCtrl& tree, HTREEITEM hItem)
{
    return hItem ? reinterpret_cast<CString*>(tree.GetItemData(hItem)) : nullptr;
}

void CMIDIPage::EnableFileControls(BOOL bEnable)
{
    for (int id : kFileControls)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(bEnable);
}

void CMIDIPage::LoadPlayLists()
{
    EnableFileControls(FALSE);
    m_tree.DeleteAllItems();
    m_list.DeleteAllItems();
    m_read = ReadPlayLists(AfxGetApp()->Profile());
    m_bRandom = m_read.shownRandom;
    m_chkRandom.SetCheck(m_bRandom ? BST_CHECKED : BST_UNCHECKED);
    const CString& selectedName = m_read.selectedName;
    HTREEITEM selected = nullptr;
    for (const auto& [name, stored] : m_read.lists) {
        auto* files = new CString(stored);
        HTREEITEM item = m_tree.InsertItem(name, TVI_ROOT, TVI_SORT);
        if (!item) {
            delete files;
            continue;
        }
        m_tree.SetItemData(item, DWORD_PTR(files));
        if (!selectedName.IsEmpty() && name == selectedName)
            selected = item;
    }
    m_tree.SelectItem(selected);
}

std::vector<CString> CMIDIPage::ListNames(HTREEITEM hExcept) const
{
    std::vector<CString> names;
    for (HTREEITEM item = m_tree.GetRootItem(); item; item = m_tree.GetNextSiblingItem(item))
        if (item != hExcept)
            names.push_back(m_tree.GetItemText(item));
    return names;
}

void CMIDIPage::StoreRows(HTREEITEM hItem)
{
    CString* files = FilesOf(m_tree, hItem);
    if (!files)
        return;
    std::vector<CString> rows;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        rows.push_back(m_list.GetItemText(row, 0));
    // Unchanged rows keep the list as stored; changed ones are written before what was kept.
    *files = StoreKeptPipeList(*files, rows, false);
}

void CMIDIPage::ShowFiles(HTREEITEM hItem)
{
    m_list.DeleteAllItems();
    CString* files = FilesOf(m_tree, hItem);
    if (files) {
        int row = 0;
        for (const CString& path : ReadKeptPipeList(*files).items)
            m_list.InsertItem(row++, path, GetSystemIconIndex(path));
    }
}

void CMIDIPage::OnSelChanging(NMHDR* pNotify, LRESULT* pResult)
{
    auto* change = reinterpret_cast<NMTREEVIEWA*>(pNotify);
    if (change->itemOld.hItem)
        StoreRows(change->itemOld.hItem);
    if (change->itemNew.hItem) {
        ShowFiles(change->itemNew.hItem);
        EnableFileControls(TRUE);
    } else {
        EnableFileControls(FALSE);
    }
    *pResult = FALSE;
}

void CMIDIPage::OnSelChanged(NMHDR* pNotify, LRESULT* pResult)
{
    // Only a real selection opens the file controls: selecting nothing keeps them shut.
    EnableFileControls(reinterpret_cast<NMTREEVIEWA*>(pNotify)->itemNew.hItem != nullptr);
    *pResult = 0;
}

void CMIDIPage::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    m_bEditingLabel = TRUE;
    *pResult = FALSE;
}

void CMIDIPage::OnEndLabelEdit(NMHDR* pNotify, LRESULT* pResult)
{
    auto* info = reinterpret_cast<NMTVDISPINFOA*>(pNotify);
    *pResult = FALSE;
    // The tree may report the end of one edit twice (when the editor also loses the focus).
    if (!m_bEditingLabel)
        return;
    m_bEditingLabel = FALSE;
    if (!info->item.pszText)
        return;  // cancelled
    HTREEITEM item = info->item.hItem;
    // The list's files are stored under its name: a name that is another value of the section,
    // or another list's in other letters, would overwrite or hide stored data.
    PlayListNameFault fault = CheckPlayListName(info->item.pszText, ListNames(item));
    if (fault == PlayListNameFault::None) {
        *pResult = TRUE;
        SetModified(TRUE);
        return;
    }
    // Told once the editor has closed: a message box now would take the focus from the editor,
    // which the tree takes for a second end of the same edit.
    PostMessage(kEditLabelAgain, WPARAM(fault), LPARAM(item));
}

LRESULT CMIDIPage::OnEditLabelAgain(WPARAM wParam, LPARAM lParam)
{
    const char* problem = "";
    switch (static_cast<PlayListNameFault>(wParam)) {
    case PlayListNameFault::Duplicate:
        problem = "A play list of the same name already exists";
        break;
    case PlayListNameFault::Empty:
        problem = "A play list needs a name";
        break;
    case PlayListNameFault::Pipe:
        problem = "A play list name cannot hold the character \"|\"";
        break;
    case PlayListNameFault::Reserved:
        problem = "This name is kept for the background music settings; please choose another name";
        break;
    case PlayListNameFault::None:
        return 0;
    }
    AfxMessageBox(problem);
    auto item = reinterpret_cast<HTREEITEM>(lParam);
    for (HTREEITEM root = m_tree.GetRootItem(); root; root = m_tree.GetNextSiblingItem(root)) {
        if (root == item) {
            m_tree.SetFocus();
            m_tree.EditLabel(item);
            break;
        }
    }
    return 0;
}

BOOL CMIDIPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    if (m_bEditingLabel) {
        // Enter and Escape belong to the label editor, not to the sheet's buttons.
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CMIDIPage::OnNew()
{
    CString name = UniquePlayListName(LoadResourceString(IDS_NEW_PLAYLIST_NAME), ListNames(nullptr));
    HTREEITEM item = m_tree.InsertItem(name, TVI_ROOT, TVI_SORT);
    if (!item)
        return;
    m_tree.SetItemData(item, DWORD_PTR(new CString));
    m_tree.SetFocus();
    m_tree.EditLabel(item);
    SetModified(TRUE);
}

void CMIDIPage::OnDelete()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (!item)
        return;
    // Selecting nothing first stores the rows and keeps the tree from selecting a neighbour.
    m_tree.SelectItem(nullptr);
    delete FilesOf(m_tree, item);
    m_tree.SetItemData(item, 0);
    m_tree.DeleteItem(item);
    m_list.DeleteAllItems();
    EnableFileControls(FALSE);
    SetModified(TRUE);
}

void CMIDIPage::InsertFiles(const std::vector<CString>& paths)
{
    for (const CString& path : paths) {
        m_list.InsertItem(0, path, GetSystemIconIndex(path));
        SetModified(TRUE);
    }
}

void CMIDIPage::OnAdd()
{
    CString filter = MakeFileFilter(LoadResourceString(IDS_MEDIA_FILTER));
    CString title = LoadResourceString(IDS_BROWSE_MULTIMEDIA);
    std::vector<char> buffer(kChosenFilesBuffer, '\0');
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kChosenFilesBuffer;
    ofn.lpstrTitle = title;
    ofn.lpstrInitialDir = g_strLastFolder.IsEmpty() ? nullptr : g_strLastFolder.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER;
    if (!AfxGetOpenFileName(&ofn))
        return;
    CString folder;
    std::vector<CString> files = ChosenFiles(buffer.data(), buffer.size(), folder);
    if (files.empty())
        return;
    g_strLastFolder = folder;
    InsertFiles(files);
}

void CMIDIPage::OnRandomClicked()
{
    SetModified(TRUE);
}

void CMIDIPage::OnRemove()
{
    if (m_list.GetSelectedCount() == 0) {
        AfxMessageBox(IDS_NO_FILE_TO_REMOVE);
        return;
    }
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row)
        if (m_list.GetItemState(row, LVIS_SELECTED))
            m_list.DeleteItem(row);
    SetModified(TRUE);
}

void CMIDIPage::Move(bool up)
{
    int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (!MoveAllowed(CheckMove(m_list.GetItemCount(), int(m_list.GetSelectedCount()), row, up)))
        return;
    // The two rows trade texts and pictures; the selection goes with the moved row.
    int other = up ? row - 1 : row + 1;
    CString moving = m_list.GetItemText(row, 0);
    CString staying = m_list.GetItemText(other, 0);
    m_list.SetItem(row, 0, LVIF_TEXT | LVIF_IMAGE, staying, GetSystemIconIndex(staying), 0, 0, 0);
    m_list.SetItem(other, 0, LVIF_TEXT | LVIF_IMAGE, moving, GetSystemIconIndex(moving), 0, 0, 0);
    m_list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetItemState(other, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(other, FALSE);
    SetModified(TRUE);
}

void CMIDIPage::OnUp() { Move(true); }
void CMIDIPage::OnDown() { Move(false); }

void CMIDIPage::OnOK()
{
    HTREEITEM selected = m_tree.GetSelectedItem();
    if (selected)
        StoreRows(selected);
    std::vector<PlayListLeft> lists;
    UINT count = m_tree.GetCount();
    HTREEITEM first = m_tree.GetRootItem();
    HTREEITEM item = first;
    for (UINT i = 0; item && i < count; ++i) {
        CString* files = FilesOf(m_tree, item);
        lists.push_back({m_tree.GetItemText(item), files ? *files : CString()});
        item = m_tree.GetNextSiblingItem(item);
        if (item == first)
            break;
    }
    m_bRandom = m_chkRandom.GetCheck() == BST_CHECKED ? 1 : 0;
    ProfileStore& profile = AfxGetApp()->Profile();
    CString selectedName = selected ? m_tree.GetItemText(selected) : CString();
    m_bStored = false;
    if (auto refused = RunWritePlan(PlanPlayListsSave(profile, m_read, lists, selectedName, m_bRandom))) {
        AfxMessageBox(RefusedWriteMessage(*refused).c_str());
        return;
    }
    m_bStored = true;
    // What is stored now is what the next Apply compares with.
    m_read.names = ReadProfileValue(profile, kMusicSection, "Play List Names");
    m_read.selected = ReadProfileValue(profile, kMusicSection, "Selected Play List");
    m_read.random = ReadProfileValue(profile, kMusicSection, "MIDI Randomize");
    m_read.shownRandom = m_bRandom;
    m_read.selectedName = selectedName;
    m_read.lists.clear();
    for (const PlayListLeft& list : lists)
        m_read.lists.emplace_back(list.name, list.files);
}

BOOL CMIDIPage::OnApply()
{
    // A refused write keeps the sheet open on the page, which says what could not be written.
    OnOK();
    return m_bStored;
}

void CMIDIPage::OnDestroy()
{
    for (HTREEITEM item = m_tree.GetRootItem(); item; item = m_tree.GetNextSiblingItem(item)) {
        delete FilesOf(m_tree, item);
        m_tree.SetItemData(item, 0);
    }
    CPropertyPage::OnDestroy();
}

CMediaSheet::CMediaSheet(CWnd* pParentWnd) : CLookSheet(IDS_MEDIA_CAPTION, pParentWnd) {}

INT_PTR CMediaSheet::DoModal()
{
    if (GetPageCount() == 0) {
        AddPage(&m_midiPage);
        AddPage(&m_aboutPage);
    }
    return CLookSheet::DoModal();
}
