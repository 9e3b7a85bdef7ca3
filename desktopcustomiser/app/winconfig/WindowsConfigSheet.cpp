#include "WindowsConfigSheet.h"

#include "AboutDialog.h"
#include "Helpers.h"
#include "SharedDialogs.h"
#include "NumberField.h"
#include "Win32RegistryStore.h"
#include "framework/Afx.h"
#include "resource.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

const char kBootFile[] = "C:\\MSDOS.SYS";

// ---- The sheet ----

CWindowsConfigSheet::CWindowsConfigSheet(CWnd* pParentWnd) : CLookSheet(IDS_WINCONFIG_CAPTION, pParentWnd)
{
    m_pFileTypesPage = std::make_unique<CFileTypesPage>();
    m_pShellIconPage = std::make_unique<CShellIconPage>();
    m_pShellFolderPage = std::make_unique<CShellFolderPage>();
    m_pMiscPage = std::make_unique<CMiscPage>();
    m_pStartupOptionsPage = std::make_unique<CStartupOptionsPage>();
    m_pAboutPage = std::make_unique<CAboutPage>();
    // The miscellaneous page is built with the others but has no tab of its own.
    AddPage(m_pStartupOptionsPage.get());
    AddPage(m_pFileTypesPage.get());
    AddPage(m_pShellIconPage.get());
    AddPage(m_pShellFolderPage.get());
    AddPage(m_pAboutPage.get());
}

// ---- Miscellaneous ----

BEGIN_MESSAGE_MAP(CMiscPage, CPropertyPage)
    ON_BN_CLICKED(IDC_MISC_DRAGFULL, OnChanged)
    ON_BN_CLICKED(IDC_MISC_NUMERICTAIL, OnChanged)
    ON_BN_CLICKED(IDC_MISC_ANIMATE, OnChanged)
    ON_BN_CLICKED(IDC_MISC_FONTSMOOTHING, OnChanged)
    ON_BN_CLICKED(IDC_MISC_SMOOTHSCROLL, OnChanged)
    ON_CONTROL(EN_UPDATE, IDC_MISC_MENUDELAY, OnChanged)
END_MESSAGE_MAP()

CMiscPage::CMiscPage() : CPropertyPage(IDD_MISC)
{
    MiscSettings settings = ReadMiscSettings(TheRegistry());
    m_bNumericTail = settings.numericTail;
    m_bAnimatedMenus = settings.animatedMenus;
    m_strMenuDelay = settings.menuDelay.c_str();
    m_bSmoothScroll = settings.smoothScroll;
    if (IsPlusPackInstalled()) {
        BOOL value = FALSE;
        if (::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &value, 0))
            m_bDragFullWindows = value ? 1 : 0;
        value = FALSE;
        if (::SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &value, 0))
            m_bFontSmoothing = value ? 1 : 0;
    }
}

void CMiscPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MISC_DRAGFULL, m_buttonDragFull);
    DDX_Control(pDX, IDC_MISC_FONTSMOOTHING, m_buttonFontSmoothing);
    DDX_Check(pDX, IDC_MISC_DRAGFULL, m_bDragFullWindows);
    DDX_Check(pDX, IDC_MISC_NUMERICTAIL, m_bNumericTail);
    DDX_Check(pDX, IDC_MISC_ANIMATE, m_bAnimatedMenus);
    DDX_Check(pDX, IDC_MISC_FONTSMOOTHING, m_bFontSmoothing);
    DDX_Text(pDX, IDC_MISC_MENUDELAY, m_strMenuDelay);
    DDX_Check(pDX, IDC_MISC_SMOOTHSCROLL, m_bSmoothScroll);
}

BOOL CMiscPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CreateToolTipTexts(
        m_toolTip, *this,
        {{IDC_MISC_DRAGFULL, "Check to enable drag full windows"},
         {IDC_MISC_ANIMATE, "Check to enable menu animation"},
         {IDC_MISC_NUMERICTAIL,
          "Uncheck to prevent Windows from putting ~1 at the end of the 8.3 format of long file names"},
         {IDC_MISC_FONTSMOOTHING, "Check to enable font smoothing"},
         {IDC_MISC_MENUDELAY, "Enter the speed you want popup menus to show, leave blank for the default value"},
         {IDC_MISC_SMOOTHSCROLL, "Check to enable smooth scrolling.  NOTE: This may not work on all systems"}});
    if (!IsPlusPackInstalled()) {
        m_buttonDragFull.EnableWindow(FALSE);
        m_buttonFontSmoothing.EnableWindow(FALSE);
    }
    return TRUE;
}

BOOL CMiscPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CMiscPage::ApplySettings()
{
    UpdateData(TRUE);
    MiscSettings settings;
    settings.numericTail = m_bNumericTail;
    settings.animatedMenus = m_bAnimatedMenus;
    settings.menuDelay = static_cast<const char*>(m_strMenuDelay);
    settings.smoothScroll = m_bSmoothScroll;
    bool restart = ApplyMiscSettings(TheRegistry(), settings);
    if (IsPlusPackInstalled()) {
        const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE;
        if (!::SystemParametersInfoA(SPI_SETFONTSMOOTHING, UINT(m_bFontSmoothing), nullptr, flags))
            AfxMessageBox("'Font Smoothing' option could not be set");
        if (!::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, UINT(m_bDragFullWindows), nullptr, flags))
            AfxMessageBox("'Drag Full Windows' option could not be set");
    }
    ::RedrawWindow(::GetDesktopWindow(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    if (restart)
        AfxMessageBox("Windows needs to be restarted for some changes to take effect");
}

BOOL CMiscPage::OnApply()
{
    m_bApplied = 1;
    ApplySettings();
    return CPropertyPage::OnApply();
}

void CMiscPage::OnOK()
{
    if (!m_bApplied)
        ApplySettings();
    m_bApplied = 0;
    CPropertyPage::OnOK();
}

// ---- Shell folders ----

namespace {

struct FolderRow {
    UINT nameId;
    int csidl;          // -1 the Windows folder, -2 the System folder
    bool ownIcon;       // else the Windows folder's icon
    bool opens;         // a real folder Explorer can show
};

const FolderRow kFolderRows[] = {
    {57812, -1, true, true},                      {57813, -2, false, true},
    {57814, CSIDL_BITBUCKET, false, false},       {57815, CSIDL_CONTROLS, false, false},
    {57816, CSIDL_DESKTOP, false, false},         {57817, CSIDL_DESKTOPDIRECTORY, false, true},
    {57818, CSIDL_DRIVES, false, false},          {57819, CSIDL_FONTS, true, true},
    {57820, CSIDL_NETHOOD, false, true},          {57821, CSIDL_NETWORK, false, false},
    {57822, CSIDL_PERSONAL, false, true},         {57823, CSIDL_PRINTERS, false, false},
    {57824, CSIDL_PROGRAMS, true, true},          {57825, CSIDL_RECENT, true, true},
    {57826, CSIDL_SENDTO, true, true},            {57827, CSIDL_STARTUP, true, true},
    {57828, CSIDL_TEMPLATES, false, true},
};

}  // namespace

BEGIN_MESSAGE_MAP(CShellFolderPage, CPropertyPage)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FOLDER_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_FOLDER_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CShellFolderPage::CShellFolderPage() : CPropertyPage(IDD_SHELLFOLDERS) {}

void CShellFolderPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_LOCATION, m_editLocation);
    DDX_Control(pDX, IDC_FOLDER_LIST, m_list);
    DDX_Control(pDX, IDC_FOLDER_NAME, m_staticName);
}

BOOL CShellFolderPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    UseSystemImageLists(m_list);
    CString heading;
    heading.LoadString(57807);
    m_list.InsertColumn(0, heading, LVCFMT_LEFT, 160, 0);
    heading.LoadString(57808);
    m_list.InsertColumn(1, heading, LVCFMT_LEFT, ListColumnRoom(m_list, 160), 1);

    int windowsIcon = GetSystemIconIndex(g_strWindowsFolder);
    for (const FolderRow& row : kFolderRows) {
        CString name, location;
        name.LoadString(row.nameId);
        if (row.csidl == -1)
            location = g_strWindowsFolder;
        else if (row.csidl == -2)
            location = g_strSystemFolder;
        else
            location = GetShellFolderPath(row.csidl);
        int icon = row.ownIcon ? GetSystemIconIndex(location) : windowsIcon;
        int item = m_list.InsertItem(m_list.GetItemCount(), name, icon);
        m_list.SetItemText(item, 1, location);
    }

    CreateToolTips(m_toolTip, *this, {{IDC_FOLDER_LIST, 57809}, {IDC_FOLDER_LOCATION, 57810}, {IDC_FOLDER_BROWSE, 57811}});
    return TRUE;
}

BOOL CShellFolderPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CShellFolderPage::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (!(change->uChanged & LVIF_STATE) || change->uNewState != (LVIS_SELECTED | LVIS_FOCUSED))
        return;
    m_staticName.SetWindowText(m_list.GetItemText(change->iItem, 0));
    m_editLocation.SetWindowText(m_list.GetItemText(change->iItem, 1));
}

void CShellFolderPage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int item = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0)
        return;
    CString name = m_list.GetItemText(item, 0);
    bool opens = false;
    for (const FolderRow& row : kFolderRows) {
        CString rowName;
        rowName.LoadString(row.nameId);
        if (row.opens && std::strcmp(rowName, name) == 0)
            opens = true;
    }
    if (!opens)
        return;
    CString explorer = g_strWindowsFolder;
    AppendPath(explorer.GetBuffer(kPathBufferSize), "Explorer.exe");
    explorer.ReleaseBuffer();
    RunProgram(m_hWnd, explorer, SW_SHOWNORMAL, m_list.GetItemText(item, 1));
}

// ---- Boot options ----

namespace {

// The boot file's bytes: "" when there is none, nothing when it is there but cannot be read.
std::optional<std::string> ReadBootBytes()
{
    HANDLE file = ::CreateFileA(kBootFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::string();
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE) && got > 0)
        bytes.append(chunk, got);
    ::CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return bytes;
}

BootFileState ReadBootFile()
{
    // Read as text, not through the profile calls: the page then reads exactly what it writes,
    // the same way on every system.
    return ReadBootOptions(BootFileKeys(ReadBootBytes().value_or(std::string())));
}

// The new file is written whole beside the old one and forced to disk before it takes the old
// one's place, so a failure at any point leaves either the old file or the complete new one.
class Win32BootFile : public BootFile {
public:
    std::optional<std::string> Read() override { return ReadBootBytes(); }
    bool Replace(const std::string& bytes) override
    {
        char temp[MAX_PATH];
        if (!::GetTempFileNameA("C:\\", "twb", 0, temp))
            return false;
        if (!WriteWhole(temp, bytes)) {
            ::DeleteFileA(temp);
            return false;
        }
        DWORD attributes = ::GetFileAttributesA(kBootFile);
        bool existed = attributes != INVALID_FILE_ATTRIBUTES;
        // Read-only (as Windows keeps the file) would refuse the replacement.
        if (existed && (attributes & FILE_ATTRIBUTE_READONLY))
            ::SetFileAttributesA(kBootFile, attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
        if (!ReplaceWith(temp, existed)) {
            if (existed)
                ::SetFileAttributesA(kBootFile, attributes);
            ::DeleteFileA(temp);
            return false;
        }
        if (existed)
            ::SetFileAttributesA(kBootFile, attributes);
        return true;
    }

private:
    static bool WriteWhole(const char* path, const std::string& bytes)
    {
        HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD put = 0;
        bool ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &put, nullptr) && put == bytes.size() &&
                  ::FlushFileBuffers(file);
        return ::CloseHandle(file) && ok;
    }
    // Windows 95 has no replacing move: there the old file steps aside under a name of its own
    // and comes back when the new one cannot take its place.
    static bool ReplaceWith(const char* temp, bool existed)
    {
        if (!existed)
            return ::MoveFileA(temp, kBootFile) != FALSE;
        if (::MoveFileExA(temp, kBootFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        char aside[MAX_PATH];
        if (!::GetTempFileNameA("C:\\", "twb", 0, aside))
            return false;
        ::DeleteFileA(aside);
        if (!::MoveFileA(kBootFile, aside))
            return false;
        if (!::MoveFileA(temp, kBootFile)) {
            ::MoveFileA(aside, kBootFile);
            return false;
        }
        ::SetFileAttributesA(aside, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(aside);
        return true;
    }
};

// A number checked against its range only when the user changed it from what was read.
void DDV_ChangedMinMaxInt(CDataExchange* pDX, int value, int read, int minVal, int maxVal)
{
    if (!NumberFieldAccepted(value, read, minVal, maxVal))
        DDV_MinMaxInt(pDX, value, minVal, maxVal);
}

}  // namespace

BEGIN_MESSAGE_MAP(CStartupOptionsPage, CPropertyPage)
    ON_BN_CLICKED(IDC_BOOT_MULTI, OnBootMulti)
    ON_BN_CLICKED(IDC_BOOT_COMPRESSION, OnDiskCompression)
    ON_BN_CLICKED(IDC_BOOT_MENU, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_LOGO, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_GUI, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_KEYS, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_DOUBLEBUFFER, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_LOADTOP, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_SAFE, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_WIN, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_WARN, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_NETWORK, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_SCANNONE, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_SCANQUIET, OnChanged)
    ON_BN_CLICKED(IDC_BOOT_SCANPROMPT, OnChanged)
    ON_EN_CHANGE(IDC_BOOT_MENUDEFAULT, OnChanged)
    ON_EN_CHANGE(IDC_BOOT_MENUDELAY, OnChanged)
    ON_EN_CHANGE(IDC_BOOT_DELAY, OnChanged)
END_MESSAGE_MAP()

CStartupOptionsPage::CStartupOptionsPage() : CPropertyPage(IDD_BOOTOPTIONS)
{
    m_read = ReadBootFile();
    m_options = m_read.shown;
}

void CStartupOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BOOT_MULTI, m_buttonBootMulti);
    DDX_Control(pDX, IDC_BOOT_WIN, m_buttonBootWin);
    DDX_Control(pDX, IDC_BOOT_COMPRESSION, m_buttonCompression);
    BootOptions& o = m_options;
    DDX_Check(pDX, IDC_BOOT_WIN, o.bootWin);
    DDX_Check(pDX, IDC_BOOT_COMPRESSION, o.compression);
    DDX_Check(pDX, IDC_BOOT_MENU, o.bootMenu);
    DDX_Check(pDX, IDC_BOOT_LOGO, o.logo);
    // A stored value outside the range stays as it is unless the user changes it.
    DDX_Text(pDX, IDC_BOOT_MENUDELAY, o.bootMenuDelay);
    DDV_ChangedMinMaxInt(pDX, o.bootMenuDelay, m_read.shown.bootMenuDelay, 0, 60);
    DDX_Text(pDX, IDC_BOOT_DELAY, o.bootDelay);
    DDV_ChangedMinMaxInt(pDX, o.bootDelay, m_read.shown.bootDelay, 0, 60);
    DDX_Check(pDX, IDC_BOOT_GUI, o.bootGUI);
    DDX_Check(pDX, IDC_BOOT_KEYS, o.bootKeys);
    DDX_Check(pDX, IDC_BOOT_MULTI, o.bootMulti);
    DDX_Check(pDX, IDC_BOOT_SAFE, o.bootSafe);
    DDX_Check(pDX, IDC_BOOT_LOADTOP, o.loadTop);
    DDX_Check(pDX, IDC_BOOT_WARN, o.bootWarn);
    DDX_Check(pDX, IDC_BOOT_NETWORK, o.network);
    DDX_Text(pDX, IDC_BOOT_MENUDEFAULT, o.bootMenuDefault);
    DDX_Radio(pDX, IDC_BOOT_SCANNONE, o.autoScan);
    DDX_Check(pDX, IDC_BOOT_DOUBLEBUFFER, o.doubleBuffer);
    DDV_ChangedMinMaxInt(pDX, o.bootMenuDefault, m_read.shown.bootMenuDefault, 1,
                         6 + (o.network ? 1 : 0) + (o.bootMulti ? 1 : 0));
}

BOOL CStartupOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // The boot file's attributes are left as they are here; writing clears read-only only for
    // the time of the write.
    CreateToolTips(m_toolTip, *this, {
        {IDC_BOOT_MENU, 57911},     {IDC_BOOT_MENUDEFAULT, 57912}, {IDC_BOOT_MENUDELAY, 57913},
        {IDC_BOOT_LOGO, 57914},     {IDC_BOOT_KEYS, 57915},        {IDC_BOOT_GUI, 57916},
        {IDC_BOOT_DELAY, 57917},    {IDC_BOOT_LOADTOP, 57918},     {IDC_BOOT_MULTI, 57919},
        {IDC_BOOT_COMPRESSION, 57920}, {IDC_BOOT_DOUBLEBUFFER, 57921}, {IDC_BOOT_SAFE, 57922},
        {IDC_BOOT_WIN, 57923},      {IDC_BOOT_WARN, 57924},        {IDC_BOOT_NETWORK, 57925},
        {IDC_BOOT_SCANNONE, 57926}, {IDC_BOOT_SCANQUIET, 57927},   {IDC_BOOT_SCANPROMPT, 57928},
    });
    OnBootMulti();
    UpdateData(FALSE);
    return TRUE;
}

BOOL CStartupOptionsPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CStartupOptionsPage::OnBootMulti()
{
    if (m_buttonBootMulti.GetCheck() == BST_UNCHECKED) {
        m_buttonBootWin.SetCheck(BST_CHECKED);
        m_buttonBootWin.EnableWindow(FALSE);
    } else {
        m_buttonBootWin.EnableWindow(TRUE);
    }
    SetModified(TRUE);
}

void CStartupOptionsPage::OnDiskCompression()
{
    if (m_buttonCompression.GetCheck() == BST_UNCHECKED) {
        CString question;
        question.LoadString(57910);
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) {
            m_buttonCompression.SetCheck(BST_CHECKED);
            return;
        }
    }
    SetModified(TRUE);
}

bool CStartupOptionsPage::SaveOptions()
{
    if (!UpdateData(TRUE))
        return false;
    Win32BootFile file;
    switch (SaveBootOptions(file, m_read, m_options)) {
    case BootSave::unchanged: return true;
    case BootSave::saved:
        // What is written now is what a later apply compares with.
        m_read = ReadBootFile();
        return true;
    case BootSave::failed: break;
    }
    if (CPropertySheet* sheet = GetSheet())
        sheet->SetActivePage(sheet->GetPageIndex(this));
    AfxMessageBox("C:\\MSDOS.SYS could not be written. The boot options were not changed.", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

BOOL CStartupOptionsPage::OnApply()
{
    // A file that cannot be written keeps the sheet open; the framework's apply then finds
    // nothing left to write.
    if (!SaveOptions())
        return FALSE;
    return CPropertyPage::OnApply();
}

void CStartupOptionsPage::OnOK()
{
    SaveOptions();
    CPropertyPage::OnOK();
}
