#include "DiskInfoSheet.h"

#include "Helpers.h"
#include "SharedDialogs.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

namespace {

// A scan runs on the interface thread: it lets waiting messages through this often, and shows
// the folder being scanned at most this often, so that pumping and repainting do not cost more
// than the walk itself while Abort still answers at once.
constexpr DWORD kPumpIntervalMs = 25;
constexpr DWORD kFolderDisplayIntervalMs = 100;

struct Column {
    UINT heading;
    int width;
    int format;
};

const Column kUsageColumnsLayout[kUsageColumns] = {
    {57717, 60, LVCFMT_LEFT}, {57718, 150, LVCFMT_LEFT}, {57719, 50, LVCFMT_RIGHT}, {57720, 50, LVCFMT_RIGHT},
    {57721, 80, LVCFMT_RIGHT}, {57722, 80, LVCFMT_RIGHT}, {57723, 30, LVCFMT_RIGHT},
};

const Column kDriveColumns[] = {
    {58056, 45, LVCFMT_LEFT},  {57745, 135, LVCFMT_LEFT}, {57746, 65, LVCFMT_RIGHT}, {57747, 65, LVCFMT_RIGHT},
    {57748, 65, LVCFMT_RIGHT}, {57749, 100, LVCFMT_RIGHT}, {57750, 70, LVCFMT_LEFT}, {57751, 75, LVCFMT_RIGHT},
    {57752, 85, LVCFMT_LEFT},  {57753, 75, LVCFMT_RIGHT}, {57754, 70, LVCFMT_LEFT}, {57755, 70, LVCFMT_LEFT},
    {57756, 70, LVCFMT_LEFT},
};

void InsertColumns(CListCtrl& list, const Column* columns, int count)
{
    for (int i = 0; i < count; ++i) {
        CString heading;
        heading.LoadString(columns[i].heading);
        list.InsertColumn(i, heading, columns[i].format, columns[i].width, i);
    }
}

// The text converted to the ANSI code page; whether it converts back to itself (a best-fit
// stand-in such as "Omega" for a name with a capital omega does not).
bool ToCodePage(const wchar_t* wide, int length, std::string& text)
{
    text.clear();
    // ASCII is the same in every code page: most names need no conversion call.
    if (std::all_of(wide, wide + length, [](wchar_t c) { return c < 0x80; })) {
        text.assign(wide, wide + length);
        return true;
    }
    char buffer[2 * MAX_PATH];
    int size = ::WideCharToMultiByte(CP_ACP, 0, wide, length, buffer, sizeof buffer, nullptr, nullptr);
    text.assign(buffer, size_t(size > 0 ? size : 0));
    wchar_t back[MAX_PATH];
    int backLength = size > 0 ? ::MultiByteToWideChar(CP_ACP, 0, buffer, size, back, MAX_PATH) : 0;
    return backLength == length && std::equal(back, back + length, wide);
}

bool ListedEmpty(DWORD error)
{
    // A folder without a single entry (a drive's empty root) is listed; a missing one is not.
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

// The system's wide listing tells a name that has no equivalent in the code page from one that
// has; Windows 95 has none, and its ANSI listing marks such names with "?" at least.
bool g_wideListing = true;

int ListWide(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit)
{
    std::string pattern = folder + "*.*";
    wchar_t widePattern[2 * MAX_PATH];
    int length = ::MultiByteToWideChar(CP_ACP, 0, pattern.c_str(), int(pattern.size()) + 1, widePattern, 2 * MAX_PATH);
    if (length <= 0)
        return 0;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(widePattern, &data);
    if (find == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_CALL_NOT_IMPLEMENTED)
            return -1;
        return ListedEmpty(error) ? 1 : 0;
    }
    do {
        FolderEntry entry;
        int nameLength = int(wcslen(data.cFileName));
        entry.nameExact = ToCodePage(data.cFileName, nameLength, entry.name);
        if (!entry.nameExact) {
            const wchar_t* dot = wcsrchr(data.cFileName, L'.');
            std::string extension;
            entry.extensionExact = !dot || ToCodePage(dot + 1, int(wcslen(dot + 1)), extension);
        }
        ToCodePage(data.cAlternateFileName, int(wcslen(data.cAlternateFileName)), entry.shortName);
        entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!visit(entry))
            break;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return 1;
}

}  // namespace

bool ListFolderWin32(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit)
{
    if (g_wideListing) {
        int listed = ListWide(folder, visit);
        if (listed >= 0)
            return listed == 1;
        g_wideListing = false;
    }
    std::string pattern = folder + "*.*";
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return ListedEmpty(::GetLastError());
    do {
        FolderEntry entry;
        entry.name = data.cFileName;
        entry.shortName = data.cAlternateFileName;
        entry.nameExact = entry.name.find('?') == std::string::npos;
        size_t dot = entry.name.rfind('.');
        entry.extensionExact = dot == std::string::npos || entry.name.find('?', dot + 1) == std::string::npos;
        entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!visit(entry))
            break;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return true;
}

std::string LowerInCodePage(const std::string& text)
{
    std::string lower = text;
    if (!lower.empty())
        ::CharLowerBuffA(lower.data(), DWORD(lower.size()));
    return lower;
}

// ---- Disk usage data dialog ----

BEGIN_MESSAGE_MAP(CDiskUsageDataDialog, CDialog)
    ON_BN_CLICKED(IDC_DISKUSAGE_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CDiskUsageDataDialog::CDiskUsageDataDialog(CWnd* pParent) : CDialog(IDD_DISKUSAGE_DATA, pParent) {}

void CDiskUsageDataDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DISKUSAGE_EXTENSIONS, m_editExtensions);
    DDX_Control(pDX, IDC_DISKUSAGE_PATH, m_editPath);
    DDX_Text(pDX, IDC_DISKUSAGE_EXTENSIONS, m_strExtensions);
    DDX_Text(pDX, IDC_DISKUSAGE_PATH, m_strPath);
}

void CDiskUsageDataDialog::OnBrowse()
{
    if (const char* folder = BrowseForFolder(m_hWnd, "Please select a folder"))
        m_editPath.SetWindowText(folder);
}

void CDiskUsageDataDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // What cannot be stored, or would scan the current drive, is refused here.
    switch (CheckUsageRecordInput(static_cast<const char*>(m_strExtensions), static_cast<const char*>(m_strPath))) {
    case UsageInputFault::pipe:
        AfxMessageBox("The character \"|\" cannot be used in a disk usage record.", MB_OK | MB_ICONEXCLAMATION);
        return;
    case UsageInputFault::emptyPath:
        AfxMessageBox("Please enter the folder to scan, or \"*\" for all local fixed drives.",
                      MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(&m_editPath);
        return;
    case UsageInputFault::none:
        break;
    }
    EndDialog(IDOK);
}

// ---- Disk usage page ----

BEGIN_MESSAGE_MAP(CDiskUsagePage, CPropertyPage)
    ON_BN_CLICKED(IDC_DISKUSAGE_ADD, OnAdd)
    ON_BN_CLICKED(IDC_DISKUSAGE_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_DISKUSAGE_UPDATE, OnUpdate)
    ON_BN_CLICKED(IDC_DISKUSAGE_UPDATEALL, OnUpdateAll)
    ON_BN_CLICKED(IDC_DISKUSAGE_ABORT, OnAbort)
    ON_COMMAND(ID_DISKUSAGE_REMOVE, OnRemove)
    ON_COMMAND(ID_DISKUSAGE_UPDATE, OnUpdate)
    ON_COMMAND(ID_DISKUSAGE_UPDATEALL, OnUpdateAll)
    ON_NOTIFY(NM_RCLICK, IDC_DISK_LIST, OnListRightClick)
    ON_NOTIFY(NM_DBLCLK, IDC_DISK_LIST, OnListDoubleClick)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
END_MESSAGE_MAP()

CDiskUsagePage::CDiskUsagePage() : CPropertyPage(IDD_DISKUSAGE) {}

BOOL CDiskUsagePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_DISK_LIST, this);
    m_editFolder.SubclassDlgItem(IDC_DISK_FOLDER, this);
    m_staticStatus.SubclassDlgItem(IDC_DISK_STATUS, this);
    m_buttonAbort.SubclassDlgItem(IDC_DISKUSAGE_ABORT, this);
    UseSystemImageLists(m_list);
    InsertColumns(m_list, kUsageColumnsLayout, kUsageColumns);

    m_read = ReadUsagePage(AfxGetApp()->Profile());
    for (const UsageRecord& record : m_read.records) {
        int row = InsertRecordRow(record[0].c_str());
        for (int column = 1; column < kUsageColumns; ++column)
            m_list.SetItemText(row, column, record[size_t(column)].c_str());
    }

    CreateToolTipTexts(m_toolTip, *this,
             {{IDC_DISKUSAGE_REMOVE, "Click to remove the selected record from the list below"},
              {IDC_DISKUSAGE_ADD, "Click to scan for files and add the results to the record list"},
              {IDC_DISK_LIST, "This is a list of all the records that have been added"},
              {IDC_DISKUSAGE_UPDATE, "Click to update the selected records"},
              {IDC_DISKUSAGE_UPDATEALL, "Click to update all records"},
              {IDC_DISK_FOLDER, "This is a display of the folder currently being scanned"},
              {IDC_DISKUSAGE_ABORT, "Click to abort scanning"}});
    SetScanning(false);
    return TRUE;
}

BOOL CDiskUsagePage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

int CDiskUsagePage::InsertRecordRow(const char* extensions)
{
    // The list sorts itself by the first column.
    return m_list.InsertItem(m_list.GetItemCount(), extensions, GetSystemIconIndex(extensions));
}

void CDiskUsagePage::SetScanning(bool scanning)
{
    m_staticStatus.SetWindowText("");
    m_editFolder.SetWindowText("");
    for (int id : {IDC_DISKUSAGE_REMOVE, IDC_DISKUSAGE_ADD, IDC_DISKUSAGE_UPDATE, IDC_DISKUSAGE_UPDATEALL})
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(!scanning);
    m_buttonAbort.ShowWindow(scanning ? SW_SHOW : SW_HIDE);
    m_buttonAbort.EnableWindow(scanning);
}

void CDiskUsagePage::OnOK()
{
    m_bBusy = false;  // a scan under way stops; its row keeps what it had
    std::vector<UsageRecord> records;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        UsageRecord record(kUsageColumns);
        for (int column = 0; column < kUsageColumns; ++column)
            record[size_t(column)] = static_cast<const char*>(m_list.GetItemText(row, column));
        records.push_back(record);
    }
    ProfileStore& profile = AfxGetApp()->Profile();
    m_bStored = false;
    if (auto refused = RunWritePlan(PlanUsageSave(profile, m_read, records))) {
        AfxMessageBox(RefusedWriteMessage(*refused).c_str());
        return;
    }
    m_bStored = true;
    m_read = ReadUsagePage(profile);
    CPropertyPage::OnOK();
}

BOOL CDiskUsagePage::OnApply()
{
    // A refused write keeps the sheet open on the page, which says what could not be written.
    OnOK();
    return m_bStored;
}

void CDiskUsagePage::OnCancel()
{
    m_bBusy = false;
    CPropertyPage::OnCancel();
}

BOOL CDiskUsagePage::OnQueryCancel()
{
    m_bBusy = false;
    return CPropertyPage::OnQueryCancel();
}

LRESULT CDiskUsagePage::OnQueryEndSession(WPARAM, LPARAM)
{
    if (!Default())
        return FALSE;
    m_bBusy = false;
    return TRUE;
}

void CDiskUsagePage::AddRecordFromDialog(const char* extensions, const char* path)
{
    CDiskUsageDataDialog dialog(this);
    dialog.m_strExtensions = extensions;
    dialog.m_strPath = path;
    if (dialog.DoModal() != IDOK)
        return;
    SetScanning(true);
    int result = ScanRecord(-1, dialog.m_strExtensions, dialog.m_strPath);
    if (!m_hWnd)
        return;
    SetScanning(false);
    if (result == kScanNoFolder) {
        CString text;
        text.Format("The folder %s cannot be read; no record has been added.", TrimBlanks(dialog.m_strPath.c_str()).c_str());
        AfxMessageBox(text);
    }
    ReportUnreachableFolders();
}

void CDiskUsagePage::OnAdd()
{
    if (!m_bBusy)
        AddRecordFromDialog("", "");
}

void CDiskUsagePage::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bBusy)
        return;
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_list.m_hWnd, &point);
    int row = m_list.HitTest(point);
    if (row < 0)
        return;
    AddRecordFromDialog(m_list.GetItemText(row, 0), m_list.GetItemText(row, 1));
}

void CDiskUsagePage::OnRemove()
{
    if (m_bBusy)
        return;
    if (m_list.GetSelectedCount() != 1) {
        AfxMessageBox("There is no record selected to remove");
        return;
    }
    m_list.DeleteItem(m_list.GetNextItem(-1, LVNI_SELECTED));
}

void CDiskUsagePage::OnUpdate()
{
    if (m_bBusy)
        return;
    int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        AfxMessageBox("There is no record selected to update");
        return;
    }
    SetScanning(true);
    int result = ScanRecord(row);
    if (!m_hWnd)
        return;
    SetScanning(false);
    // The row keeps its figures: a folder that cannot be listed is not an empty one.
    if (result == kScanNoFolder)
        AfxMessageBox("The selected record no longer has a valid path");
    ReportUnreachableFolders();
}

void CDiskUsagePage::OnUpdateAll()
{
    if (m_bBusy)
        return;
    int count = m_list.GetItemCount();
    if (count == 0) {
        AfxMessageBox("There are no records to update");
        return;
    }
    SetScanning(true);
    bool anyWithoutFolder = false;
    for (int row = 0; row < count; ++row) {
        int result = ScanRecord(row);
        if (result == kScanStopped)
            break;
        anyWithoutFolder |= result == kScanNoFolder;
    }
    if (!m_hWnd)
        return;
    SetScanning(false);
    if (anyWithoutFolder)
        AfxMessageBox("One or more records do not have valid paths");
    ReportUnreachableFolders();
}

void CDiskUsagePage::ReportUnreachableFolders()
{
    if (m_unreachableFolders == 0)
        return;
    m_unreachableFolders = 0;
    AfxMessageBox("Some folders could not be read, or lie too deep to be scanned even by their short names; "
                  "their files are not counted.");
}

void CDiskUsagePage::OnAbort()
{
    m_bBusy = false;
    m_editFolder.SetWindowText("Aborting...");
    m_editFolder.UpdateWindow();
}

void CDiskUsagePage::OnListRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
    if (m_bBusy)
        return;
    POINT point;
    ::GetCursorPos(&point);
    POINT client = point;
    ::ScreenToClient(m_list.m_hWnd, &client);
    if (m_list.HitTest(client) < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_DISKUSAGE_MENU))
        return;
    // The sheet owns the menu and hands its commands to the active page.
    menu.GetSubMenu(0)->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetTopLevelParent());
}

bool CDiskUsagePage::KeepScanning()
{
    if (!m_bBusy)
        return false;
    DWORD now = ::GetTickCount();
    if (now - m_lastPump < kPumpIntervalMs)
        return true;
    m_lastPump = now;
    MSG msg;
    while (m_bBusy && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that owns it
            m_bBusy = false;
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return m_bBusy;
}

void CDiskUsagePage::ShowFolder(const std::string& folder, bool now)
{
    DWORD tick = ::GetTickCount();
    if (!now && tick - m_lastFolderShown < kFolderDisplayIntervalMs)
        return;
    m_lastFolderShown = tick;
    CString text;
    text.Format("Scanning in %s", folder.c_str());
    m_editFolder.SetWindowText(text);
    m_editFolder.UpdateWindow();
}

FolderWalk CDiskUsagePage::MakeWalk()
{
    return {ListFolderWin32, [this] { return KeepScanning(); },
            [this](const std::string& folder) { ShowFolder(folder, false); }, LowerInCodePage};
}

bool CDiskUsagePage::ScanAllFixedDrives(const std::string& extensions, UsageTotals& totals)
{
    FolderWalk walk = MakeWalk();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        char root[] = {letter, ':', '\\', '\0'};
        if (::GetDriveTypeA(root) != DRIVE_FIXED)
            continue;
        // A drive that cannot be listed contributes nothing.
        if (ScanFolderTree(root, extensions, walk, totals) == ScanResult::aborted)
            return false;
    }
    return true;
}

int CDiskUsagePage::ScanRecord(int nRow, const char* extensions, const char* path)
{
    m_bBusy = true;
    std::string list, folder;
    if (nRow >= 0) {
        list = static_cast<const char*>(m_list.GetItemText(nRow, 0));
        folder = static_cast<const char*>(m_list.GetItemText(nRow, 1));
    } else {
        list = extensions ? extensions : "";
        folder = path ? path : "";
    }
    list = NormalizeExtensionList(list, LowerInCodePage);
    folder = TrimBlanks(folder);

    CString status;
    std::string shown = ExtensionListDisplay(list);
    if (folder == "*")
        status.Format("Scanning %s files on all local fixed drives", shown.c_str());
    else
        status.Format("Scanning %s files in %s", shown.c_str(), folder.c_str());
    m_staticStatus.SetWindowText(status);

    UsageTotals totals;
    m_lastPump = ::GetTickCount();
    m_lastFolderShown = m_lastPump - kFolderDisplayIntervalMs;  // the first folder shows at once
    ScanResult result = folder == "*" ? (ScanAllFixedDrives(list, totals) ? ScanResult::done : ScanResult::aborted)
                                      : ScanFolderTree(folder, list, MakeWalk(), totals);
    m_bBusy = false;
    if (result == ScanResult::aborted || !m_hWnd)
        return kScanStopped;
    if (result == ScanResult::notListed)
        return kScanNoFolder;  // the row keeps what it had; a new record is not added
    m_unreachableFolders += totals.unreachableFolders;

    UsageTexts texts = MakeUsageTexts(totals);
    int row = nRow;
    if (row < 0) {
        row = InsertRecordRow(list.c_str());
    } else {
        m_list.SetItem(row, 0, LVIF_TEXT | LVIF_IMAGE, list.c_str(), GetSystemIconIndex(list.c_str()), 0, 0, 0);
    }
    m_list.SetItemText(row, 1, folder.c_str());
    m_list.SetItemText(row, 2, texts.matchCount);
    m_list.SetItemText(row, 4, texts.matchMegabytes);
    m_list.SetItemText(row, 3, texts.totalCount);
    m_list.SetItemText(row, 5, texts.totalMegabytes);
    m_list.SetItemText(row, 6, texts.percent);
    return kScanDone;
}

// ---- Drive information page ----

BEGIN_MESSAGE_MAP(CDriveInfoPage, CPropertyPage)
    ON_BN_CLICKED(IDC_DRIVEINFO_UPDATE, OnUpdateInfo)
END_MESSAGE_MAP()

CDriveInfoPage::CDriveInfoPage() : CPropertyPage(IDD_DRIVEINFO) {}

void CDriveInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DISK_FOLDER, m_editProgress);
    DDX_Control(pDX, IDC_DISK_STATUS, m_staticWait);
    DDX_Control(pDX, IDC_DISK_LIST, m_list);
}

BOOL CDriveInfoPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UseSystemImageLists(m_list);
    InsertColumns(m_list, kDriveColumns, int(std::size(kDriveColumns)));
    WidenColumnsToHeadings(m_list);
    if (CWnd* sheet = GetParent())
        sheet->UpdateWindow();
    Refresh();
    CreateToolTipTexts(m_toolTip, *this,
             {{IDC_DISK_LIST, "This is a list of all drives"}, {IDC_DRIVEINFO_UPDATE, "Click to update the list"}});
    return TRUE;
}

BOOL CDriveInfoPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CDriveInfoPage::ShowBusy(bool busy)
{
    m_list.ShowWindow(busy ? SW_HIDE : SW_SHOW);
    m_staticWait.ShowWindow(busy ? SW_SHOW : SW_HIDE);
    m_editProgress.ShowWindow(busy ? SW_SHOW : SW_HIDE);
    UpdateWindow();
}

void CDriveInfoPage::Refresh()
{
    // Where the system has it, the extended call gives sizes past 2 GB; its absence (the first
    // Windows 95) leaves the 64-bit products of the cluster figures.
    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    auto freeSpaceEx = reinterpret_cast<FreeSpaceEx>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));

    ShowBusy(true);
    m_list.DeleteAllItems();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        char root[] = {letter, ':', '\\', '\0'};
        char name[] = {letter, '\0'};
        CString progress;
        progress.Format("Checking drive %s:", name);
        m_editProgress.SetWindowText(progress);
        UpdateWindow();

        UINT type = ::GetDriveTypeA(root);
        if (type == DRIVE_NO_ROOT_DIR)
            continue;
        int row = m_list.InsertItem(m_list.GetItemCount(), name, GetSystemIconIndex(root));
        m_list.SetItemText(row, 1, DriveTypeText(type));

        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
        if (!::GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
            sectorsPerCluster = bytesPerSector = freeClusters = totalClusters = 0;
        if (DriveTypeIsRemovable(type) && bytesPerSector == 0) {
            m_list.SetItemText(row, 1, "Removable Drive (No Disk Inserted)");
            continue;
        }
        uint64_t clusterBytes = uint64_t(bytesPerSector) * sectorsPerCluster;
        uint64_t totalBytes = clusterBytes * totalClusters;
        uint64_t freeBytes = clusterBytes * freeClusters;
        ULARGE_INTEGER available, total, free;
        if (freeSpaceEx && freeSpaceEx(root, &available, &total, &free)) {
            totalBytes = total.QuadPart;
            freeBytes = free.QuadPart;
        }
        m_list.SetItemText(row, 2, MegabyteText(totalBytes));
        m_list.SetItemText(row, 3, MegabyteText(freeBytes));
        m_list.SetItemText(row, 4, MegabyteText(totalBytes >= freeBytes ? totalBytes - freeBytes : 0));
        m_list.SetItemText(row, 5, WholeNumberText(bytesPerSector));

        char label[260] = {}, fileSystem[260] = {};
        DWORD serial = 0, maxComponent = 0, flags = 0;
        if (!::GetVolumeInformationA(root, label, sizeof label, &serial, &maxComponent, &flags, fileSystem,
                                     sizeof fileSystem)) {
            label[0] = fileSystem[0] = '\0';
            serial = maxComponent = flags = 0;
        }
        m_list.SetItemText(row, 6, fileSystem);
        m_list.SetItemText(row, 7, WholeNumberText(maxComponent));
        m_list.SetItemText(row, 8, label);
        m_list.SetItemText(row, 9, SerialNumberText(serial).c_str());
        m_list.SetItemText(row, 10, (flags & FS_VOL_IS_COMPRESSED) ? "Y" : "N");
        m_list.SetItemText(row, 11, (flags & FS_CASE_IS_PRESERVED) ? "Y" : "N");
        m_list.SetItemText(row, 12, (flags & FS_CASE_SENSITIVE) ? "Y" : "N");
    }
    ShowBusy(false);
}

// ---- The sheet ----

CDiskInfoSheet::CDiskInfoSheet(CWnd* pParentWnd) : CLookSheet(IDS_DISKINFO_CAPTION, pParentWnd)
{
    AddPage(&m_pageDriveInfo);
    AddPage(&m_pageDiskUsage);
    AddPage(&m_pageAbout);
}

BEGIN_MESSAGE_MAP(CDiskInfoSheet, CLookSheet)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
END_MESSAGE_MAP()

LRESULT CDiskInfoSheet::OnQueryEndSession(WPARAM wParam, LPARAM lParam)
{
    LRESULT mayEnd = Default();
    if (mayEnd && m_pageDiskUsage.m_hWnd)
        m_pageDiskUsage.SendMessage(WM_QUERYENDSESSION, wParam, lParam);
    return mayEnd;
}
