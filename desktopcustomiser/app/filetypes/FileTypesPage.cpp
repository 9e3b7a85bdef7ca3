#include "FileTypesPage.h"

#include "Helpers.h"
#include "MainFrameMessages.h"
#include "SharedDialogs.h"
#include "Win32RegistryStore.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shlobj.h>

#include <cstring>

namespace {

constexpr UINT kTypeInfoFlags = SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;

// The shell's description and icon of a file type, by one of its extensions.
bool GetTypeInfo(const std::string& extension, SHFILEINFOA& record)
{
    std::string typeKey = TypeKeyOf(&record);
    ::SHGetFileInfoA(extension.c_str(), FILE_ATTRIBUTE_NORMAL, &record, sizeof record, kTypeInfoFlags);
    std::strncpy(record.szDisplayName, typeKey.c_str(), sizeof record.szDisplayName - 1);
    return record.szTypeName[0] != '\0';
}

// A type key read from a damaged registry that names some other key: the type is shown, but
// neither edited nor removed. True (after telling the user) for such a row.
bool RefuseDamagedType(const SHFILEINFOA* record)
{
    std::string typeKey = TypeKeyOf(record);
    if (typeKey.empty() || IsUsableTypeKey(typeKey))
        return false;
    CString text;
    text.Format(kUnusableTypeKeyMessage, typeKey.c_str());
    AfxMessageBox(text);
    return true;
}

// A damaged registry: the only thing left to do is to stop before anything worse happens.
[[noreturn]] void FatalRegistryError()
{
    AfxMessageBox("A serious registry error has occured");
    ::ExitProcess(2);
}

}  // namespace

int CFileTypesPage::s_nSortState = -1;

BEGIN_MESSAGE_MAP(CFileTypesPage, CPropertyPage)
    ON_BN_CLICKED(IDC_FILETYPES_NEW, OnNew)
    ON_COMMAND(IDC_FILETYPES_MODIFY, OnModify)
    ON_COMMAND(IDC_FILETYPES_REMOVE, OnRemove)
    ON_COMMAND(ID_VIEW_LARGEICONS, OnLargeIcons)
    ON_COMMAND(ID_VIEW_DETAILS, OnDetails)
    ON_NOTIFY(NM_DBLCLK, IDC_FILETYPES_LIST, OnDoubleClick)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_FILETYPES_LIST, OnColumnClick)
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CFileTypesPage::CFileTypesPage() : CPropertyPage(IDD_FILETYPES) {}

void CFileTypesPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILETYPES_LIST, m_list);
}

SHFILEINFOA* CFileTypesPage::RecordOf(const CListCtrl& list, int item)
{
    return reinterpret_cast<SHFILEINFOA*>(list.GetItemData(item));
}

BOOL CFileTypesPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UseSystemImageLists(m_list);
    m_list.InsertColumn(0, "Registered File Types", LVCFMT_LEFT, ListColumnRoom(m_list, 80), 0);
    m_list.InsertColumn(1, "Extensions", LVCFMT_LEFT, 80, 1);
    FillList();
    CreateToolTipTexts(m_toolTip, *this,
                   {{IDC_FILETYPES_LIST, "This is a list of all the file types are registered"},
                    {IDC_FILETYPES_NEW, "Press to register a new file type"},
                    {IDC_FILETYPES_REMOVE, "Press to remove the selected file type"},
                    {IDC_FILETYPES_MODIFY, "Press to modify the selected file type"}});
    Sort(0);
    return TRUE;
}

BOOL CFileTypesPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CFileTypesPage::FillList()
{
    CWaitCursor wait;
    m_list.DeleteAllItems();
    UseSystemImageLists(m_list, true);
    RegistryStore& registry = TheRegistry();
    for (const std::string& name : registry.SubKeys(RegRoot::classesRoot, "")) {
        if (name.empty() || name[0] != '.')
            continue;
        std::string typeKey = registry.ReadString(RegRoot::classesRoot, name, "").value_or("");
        std::string extension = UpperCase(name.substr(1));
        int row = -1;
        for (int item = 0; item < m_list.GetItemCount() && row < 0; ++item)
            if (EqualNoCase(TypeKeyOf(RecordOf(m_list, item)), typeKey))
                row = item;
        if (row >= 0) {
            std::string text = extension + " " + static_cast<const char*>(m_list.GetItemText(row, 1));
            m_list.SetItemText(row, 1, text.c_str());
            continue;
        }
        auto record = std::make_unique<SHFILEINFOA>();
        *record = {};
        if (!GetTypeInfo(name, *record))
            continue;  // the shell knows no type for it
        std::strncpy(record->szDisplayName, typeKey.c_str(), sizeof record->szDisplayName - 1);
        std::string description = RowDescription(registry, typeKey, record->szTypeName);
        int item = m_list.InsertItem(0, description.c_str(), record->iIcon);
        m_list.SetItemData(item, reinterpret_cast<DWORD_PTR>(record.release()));
        m_list.SetItemText(item, 1, extension.c_str());
    }
}

void CFileTypesPage::Sort(int column)
{
    SortListByColumn(m_list, column, s_nSortState);
}

void CFileTypesPage::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    Sort(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
}

void CFileTypesPage::SetView(DWORD style)
{
    SetListViewStyle(m_list, style);
}

void CFileTypesPage::OnLargeIcons() { SetView(LVS_ICON); }
void CFileTypesPage::OnDetails() { SetView(LVS_REPORT); }
void CFileTypesPage::OnNew() { EditFileType(-1); }

void CFileTypesPage::OnModify()
{
    int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0) {
        AfxMessageBox("There is no file type selected to modity");
        return;
    }
    EditFileType(item);
}

void CFileTypesPage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_list.m_hWnd, &point);
    int item = m_list.HitTest(point);
    if (item >= 0)
        EditFileType(item);
}

void CFileTypesPage::EditFileType(int item)
{
    if (item >= 0 && RefuseDamagedType(RecordOf(m_list, item)))
        return;
    CFileTypePropertiesDialog dialog(this);
    std::string others = " ";
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        if (row != item)
            others += std::string(m_list.GetItemText(row, 1)) + " ";
    dialog.m_strOtherExtensions = others.c_str();
    if (item >= 0) {
        dialog.m_pTypeRecord = RecordOf(m_list, item);
        dialog.m_strDescription = m_list.GetItemText(item, 0);
        dialog.m_strExtensions = m_list.GetItemText(item, 1);
    }
    INT_PTR result = dialog.DoModal();
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr);
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_SETTINGSCHANGED, 0, SCF_MODALDIALOG);
    // Leaving the program while the dialog was open may have taken the sheet and this page away.
    SHFILEINFOA* record = dialog.m_pTypeRecord;
    if (!IsWindow() || !m_list.IsWindow()) {
        if (dialog.m_bRecordOwned)
            delete record;
        return;
    }
    if (result != IDOK || !dialog.m_bChanged) {
        if (result == IDOK && dialog.m_bRecordOwned)
            delete record;
        return;
    }

    std::string extensions = static_cast<const char*>(dialog.m_strExtensions);
    std::vector<std::string> list = SplitExtensions(extensions);
    GetTypeInfo(ExtensionKey(list.empty() ? std::string() : list.front()), *record);
    int edited = item;
    if (item >= 0) {
        m_list.SetItemText(item, 0, dialog.m_strDescription);
    } else {
        std::string description = RowDescription(TheRegistry(), TypeKeyOf(record), record->szTypeName);
        edited = m_list.InsertItem(m_list.GetItemCount(), description.c_str(), record->iIcon);
        m_list.SetItemData(edited, reinterpret_cast<DWORD_PTR>(record));
        m_list.EnsureVisible(edited, FALSE);
    }
    m_list.SetItemText(edited, 1, extensions.c_str());
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (row == edited) {
            m_list.SetItemImage(row, record->iIcon);
            continue;
        }
        auto left = RemoveExtensions(static_cast<const char*>(m_list.GetItemText(row, 1)), extensions);
        if (left) {
            m_list.SetItemText(row, 1, left->c_str());
        } else {
            delete RecordOf(m_list, row);
            m_list.SetItemData(row, 0);
        }
    }
    for (int row; (row = m_list.FindItemByData(0)) >= 0;)
        m_list.DeleteItem(row);
    CancelToClose();
}

void CFileTypesPage::OnRemove()
{
    if (m_list.GetSelectedCount() != 1) {
        AfxMessageBox("There is no file type selected to remove");
        return;
    }
    int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (RefuseDamagedType(RecordOf(m_list, item)))
        return;
    CString question;
    question.Format("If you remove %s, you will not be able to open files of this type by double-clicking their "
                    "icons.\n\nAre you sure you want to remove this file type?",
                    static_cast<const char*>(m_list.GetItemText(item, 0)));
    if (AfxMessageBox(question, MB_YESNO) != IDYES)
        return;
    CWaitCursor wait;
    SHFILEINFOA* record = RecordOf(m_list, item);
    std::string typeKey = TypeKeyOf(record);
    if (typeKey.empty())
        FatalRegistryError();
    RemoveFileType(TheRegistry(), typeKey);
    m_list.DeleteItem(item);
    delete record;
    CancelToClose();
}

void CFileTypesPage::OnContextMenu(CWnd*, POINT point)
{
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_list.m_hWnd, &cursor);
    int item = m_list.HitTest(cursor);
    if (point.x == -1 && point.y == -1) {
        POINT corner = {5, 5};
        ::ClientToScreen(m_hWnd, &corner);
        point = corner;
    }
    CMenu menu;
    if (!menu.LoadMenu(item >= 0 ? IDR_FILETYPES_MENU : IDR_LISTVIEW_MENU))
        return;
    // The sheet owns the menu and hands its commands to the active page.
    menu.GetSubMenu(0)->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetTopLevelParent());
}

void CFileTypesPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        delete RecordOf(m_list, item);
        m_list.SetItemData(item, 0);
    }
}
