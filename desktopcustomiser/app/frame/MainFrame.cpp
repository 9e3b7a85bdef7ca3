#include "MainFrame.h"

#include "AboutDialog.h"
#include "Helpers.h"
#include "MainFrameMessages.h"
#include "MusicPlayerDialog.h"
#include "Timing.h"
#include "TunewrightApp.h"
#include "framework/Afx.h"
#include "resource.h"

#include <new>

namespace {
// The shell announces a new taskbar (after a restart of the shell) with this message; the
// program's icon is added again then.
const UINT g_uTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
constexpr int kTrayIconSubmenuPosition = 11;
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
    ON_MESSAGE(WM_SETTINGSCHANGED, OnSettingsChanged)
    ON_MESSAGE(WM_OPENIMAGECHANGER, OnOpenImageChangerMessage)
    ON_MESSAGE(WM_OPENMUSICCONFIG, OnOpenMusicConfigMessage)
    ON_REGISTERED_MESSAGE(g_uTaskbarCreated, OnTaskbarCreated)
    ON_COMMAND(ID_CHANGE_WALLPAPER, OnChangeWallpaper)
    ON_COMMAND(ID_CHANGE_STARTUP, OnChangeStartup)
    ON_COMMAND(ID_CHANGE_WAITSHUTDOWN, OnChangeWaitShutdown)
    ON_COMMAND(ID_CHANGE_SAFESHUTDOWN, OnChangeSafeShutdown)
    ON_COMMAND(ID_CHANGE_ALL, OnChangeAll)
    ON_COMMAND(ID_CONFIGURE_IMAGECHANGER, OnConfigureImageChanger)
    ON_COMMAND(ID_MUSIC_START, OnMusicStart)
    ON_COMMAND(ID_MUSIC_STOP, OnMusicStop)
    ON_COMMAND(ID_CONFIGURE_MUSIC, OnConfigureMusic)
    ON_COMMAND(ID_ACTIVATE_SCREENSAVER, OnActivateScreenSaver)
    ON_COMMAND(ID_DISK_INFO, OnDiskInfo)
    ON_COMMAND(ID_WINDOWS_CONFIGURATION, OnWindowsConfiguration)
    ON_COMMAND(ID_OPTIONS, OnOptions)
    ON_COMMAND(ID_TUNEWRIGHT_HELP, OnTunewrightHelp)
    ON_COMMAND(ID_README, OnReadme)
    ON_COMMAND(ID_APP_EXIT, OnExit)
    ON_COMMAND_RANGE(kFirstUserMenuId, kLastUserItemId, OnUserItem)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_trayIcon(TRAYID_PROGRAM) {}

CMainFrame::~CMainFrame()
{
    for (CTrayIconWnd*& wnd : m_pUserTrayWnds) {
        delete wnd;
        wnd = nullptr;
    }
    EndCornerThread();
    if (theApp.m_pMainFrame == this)
        theApp.m_pMainFrame = nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszName = "Tunewright Control Window";  // how a second start finds this one
    return CFrameWnd::PreCreateWindow(cs);
}

void CMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CFrameWnd::WinHelp(dwData & 0xFFFF, nCmd);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* player = new CMusicPlayerDialog;
    if (player->Create(this)) {
        m_pMusicPlayer = player;
    } else {
        delete player;
    }
    BuildTrayMenu();
    m_pCornerThread->CreateThread();
    if (theApp.GetProfileInt("Wallpapers", "Enable Auto Randomize", 0))
        ArmAutoRandomize();
    return 0;
}

void CMainFrame::ArmAutoRandomize()
{
    if (m_nAutoRandomizeTimer)
        KillTimer(m_nAutoRandomizeTimer);
    m_nAutoRandomizeTimer = 0;
    if (!theApp.GetProfileInt("Wallpapers", "Enable Auto Randomize", 0))
        return;
    UINT tick = m_autoRandomize.Start(theApp.GetProfileInt("Wallpapers", "Time", 60));
    m_nAutoRandomizeTimer = SetTimer(TIMERID_AUTORANDOMIZE, tick);
    if (!m_nAutoRandomizeTimer)
        AfxMessageBox(IDS_TIMER_ERROR);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMERID_AUTORANDOMIZE) {
        UINT tick = m_autoRandomize.TickMs();
        UINT next = 0;
        bool due = m_autoRandomize.Tick(next);
        if (next != tick)
            SetTimer(TIMERID_AUTORANDOMIZE, next);
        if (due)
            theApp.ChangeImages(TRUE, FALSE, FALSE, FALSE);
    } else if (nIDEvent == TIMERID_TRAYRETRY) {
        ShowProgramIcon();
    } else {
        CFrameWnd::OnTimer(nIDEvent);
    }
}

void CMainFrame::ShowProgramIcon()
{
    if (!m_bProgramIconShown) {
        m_trayIcon.SetNotifyWindow(this, WM_TRAYNOTIFY);
        // Marked shown only once the shell has taken it; at log-on the shell may not be
        // ready yet, so adding is tried again for a while.
        m_bProgramIconShown = m_trayIcon.SetIcon(TRAYID_PROGRAM);
    }
    if (m_bProgramIconShown || ++m_nTrayRetries > kTrayRetryLimit) {
        KillTimer(TIMERID_TRAYRETRY);
    } else {
        SetTimer(TIMERID_TRAYRETRY, kTrayRetryPeriodMs);
    }
}

LRESULT CMainFrame::OnTaskbarCreated(WPARAM, LPARAM)
{
    // The old shell took every icon with it, and an icon that could not be added before can
    // be now: the program's icon, the display icon and the user icons are all added anew.
    m_trayIcon.SetIcon(0u);
    m_bProgramIconShown = FALSE;
    m_nTrayRetries = 0;
    if (m_pDisplayTrayWnd) {
        m_pDisplayTrayWnd->DestroyWindow();
        delete m_pDisplayTrayWnd;
        m_pDisplayTrayWnd = nullptr;
    }
    CreateUserTrayIcons();
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != TRAYID_PROGRAM)
        return 1;
    if (lParam == WM_RBUTTONUP) {
        CMenu* popup = m_trayMenu.GetSubMenu(0);
        if (popup) {
            popup->SetDefaultItem(ID_OPTIONS);
            POINT pt;
            ::GetCursorPos(&pt);
            SetForegroundWindow();
            popup->TrackPopupMenu(TPM_RIGHTBUTTON, pt.x, pt.y, this);
            PostMessage(WM_NULL);
        }
    } else if (lParam == WM_LBUTTONDBLCLK) {
        OnOptions();
    }
    return 1;
}

void CMainFrame::CreateUserTrayIcons()
{
    CWaitCursor wait;
    BuildTrayMenu();
    CString descriptions = theApp.GetProfileString("Tray Icons", "Description");
    CString programs = theApp.GetProfileString("Tray Icons", "Executable Path");
    CString parameters = theApp.GetProfileString("Tray Icons", "Parameters");
    SHFILEINFOA info = {};
    HIMAGELIST systemIcons = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ShowProgramIcon();
    UpdateDisplayIcon();
    auto slots = ReadUserIconSlots(descriptions, programs, parameters);
    for (int i = 0; i < kMaxUserEntries; ++i) {
        if (m_pUserTrayWnds[i]) {
            m_pUserTrayWnds[i]->DestroyWindow();
            delete m_pUserTrayWnds[i];
            m_pUserTrayWnds[i] = nullptr;
        }
        if (!slots[static_cast<size_t>(i)])
            continue;
        const UserIconEntry& entry = *slots[static_cast<size_t>(i)];
        auto* wnd = new (std::nothrow) CTrayIconWnd;
        if (!wnd) {
            AfxMessageBox(IDS_MEMORY_ERROR);
            continue;
        }
        HICON icon = systemIcons ? ImageList_GetIcon(systemIcons, GetSystemIconIndex(entry.program), ILD_NORMAL) : nullptr;
        if (wnd->Create(TRAYID_USERICON, this, icon, entry.description, entry.program, entry.parameters)) {
            m_pUserTrayWnds[i] = wnd;
        } else {
            delete wnd;
        }
    }
}

void CMainFrame::BuildTrayMenu()
{
    CWaitCursor wait;
    std::vector<MenuEntry> items =
        ReadMenuEntries(theApp.GetProfileString("Tray Menus", "Menu Text"), theApp.GetProfileString("Tray Menus", "Executable Path"));
    m_trayMenu.DestroyMenu();
    if (!m_trayMenu.LoadMenu(IDR_TRAYMENU))
        return;
    CMenu* popup = m_trayMenu.GetSubMenu(0);
    if (!popup)
        return;
    for (size_t i = 0; i < items.size(); ++i)
        popup->InsertMenu(ID_APP_ABOUT, MF_BYCOMMAND | MF_STRING, kFirstUserMenuId + i, items[i].text);
    if (!items.empty())
        popup->InsertMenu(ID_APP_ABOUT, MF_BYCOMMAND | MF_SEPARATOR);

    std::vector<MenuEntry> icons =
        ReadMenuEntries(theApp.GetProfileString("Tray Icons", "Description"), theApp.GetProfileString("Tray Icons", "Executable Path"));
    CMenu* iconMenu = popup->GetSubMenu(kTrayIconSubmenuPosition);
    if (iconMenu) {
        for (size_t j = 0; j < icons.size(); ++j)
            iconMenu->AppendMenu(MF_STRING, kFirstUserIconId + j, icons[j].text);
        if (!icons.empty()) {
            iconMenu->RemoveMenu(0, MF_BYPOSITION);  // "<None>"
        } else {
            popup->DeleteMenu(kTrayIconSubmenuPosition, MF_BYPOSITION);
            popup->DeleteMenu(kTrayIconSubmenuPosition, MF_BYPOSITION);  // its separator
        }
    }
    popup->DeleteMenu(ID_BITMAP_BROWSER, MF_BYCOMMAND);
    popup->DeleteMenu(ID_REBUILD_ICONS, MF_BYCOMMAND);
}

void CMainFrame::UpdateDisplayIcon()
{
    BOOL show = theApp.GetProfileInt("Settings", "Show Display Settings Icon", 1);
    if (show && !m_pDisplayTrayWnd) {
        auto* wnd = new (std::nothrow) CDisplayTrayWnd;
        if (!wnd) {
            AfxMessageBox(IDS_MEMORY_ERROR);
            return;
        }
        if (wnd->Create(this))
            m_pDisplayTrayWnd = wnd;
        else
            delete wnd;  // a failed icon was reported by the window
    } else if (!show && m_pDisplayTrayWnd) {
        m_pDisplayTrayWnd->DestroyWindow();
        delete m_pDisplayTrayWnd;
        m_pDisplayTrayWnd = nullptr;
    }
}

void CMainFrame::RunUserItem(UINT nID)
{
    UserItemRef ref = ClassifyUserItem(nID);
    if (ref.kind == UserItemKind::None)
        return;
    const char* section = ref.kind == UserItemKind::MenuItem ? "Tray Menus" : "Tray Icons";
    std::optional<MenuEntry> entry = FindProgramEntry(theApp.GetProfileString(section, "Executable Path"),
                                                      theApp.GetProfileString(section, "Parameters"), ref.index);
    if (entry)
        RunProgram(m_hWnd, entry->program, SW_SHOWNORMAL, entry->text);
}

void CMainFrame::OnUserItem(UINT nID)
{
    RunUserItem(nID);
}

LRESULT CMainFrame::OnSettingsChanged(WPARAM, LPARAM lParam)
{
    if (lParam & SCF_USERTRAYICONS)
        CreateUserTrayIcons();
    if (lParam & SCF_TRAYMENU)
        BuildTrayMenu();
    if ((lParam & SCF_SCREENSAVERCORNER) && m_pCornerThread)
        m_pCornerThread->PostThreadMessage(WM_RELOADCORNER, 0, 0);
    if (lParam & SCF_DISPLAYICON)
        UpdateDisplayIcon();
    if ((lParam & SCF_MUSICRESTART) && m_pMusicPlayer) {
        m_pMusicPlayer->SendMessage(WM_PLAYERCOMMAND, 0);
        m_pMusicPlayer->SendMessage(WM_PLAYERCOMMAND, 1);
    }
    if ((lParam & SCF_MUSICSTOP) && m_pMusicPlayer)
        m_pMusicPlayer->SendMessage(WM_PLAYERCOMMAND, 0);
    if (lParam & SCF_AUTORANDOMIZE)
        ArmAutoRandomize();
    // SCF_MODALDIALOG needs no slot: the exit ends every modal window of the thread, wherever
    // it was opened (see OnClose).
    return TRUE;
}

void CMainFrame::ChangeOneCategory(const char* section, int category)
{
    if (theApp.GetProfileString(section, "List").IsEmpty()) {
        PostMessage(WM_OPENIMAGECHANGER);
        return;
    }
    theApp.ChangeImages(category == 1, category == 2, category == 3, category == 4);
}

void CMainFrame::OnChangeWallpaper() { ChangeOneCategory("Wallpapers", 1); }
void CMainFrame::OnChangeStartup() { ChangeOneCategory("Startup Screens", 2); }
void CMainFrame::OnChangeSafeShutdown() { ChangeOneCategory("Shutdown Safe Screens", 3); }
void CMainFrame::OnChangeWaitShutdown() { ChangeOneCategory("Shutdown Wait Screens", 4); }
void CMainFrame::OnChangeAll() { theApp.ChangeImages(TRUE, TRUE, TRUE, TRUE); }
void CMainFrame::OnMusicStart() { OnSettingsChanged(0, SCF_MUSICRESTART); }
void CMainFrame::OnMusicStop() { OnSettingsChanged(0, SCF_MUSICSTOP); }

void CMainFrame::OnActivateScreenSaver()
{
    ::SendMessageA(::GetDesktopWindow(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

void CMainFrame::RunHelpFile(const char* format)
{
    CString path;
    path.Format(format, theApp.m_strInstallFolder.c_str());
    RunProgram(m_hWnd, path, SW_SHOWNORMAL, nullptr);
}

void CMainFrame::OnTunewrightHelp() { RunHelpFile("%s\\Tunewright.hlp"); }
void CMainFrame::OnReadme() { RunHelpFile("%s\\Readme.hlp"); }

bool CMainFrame::AnySheetOpen() const
{
    for (CPropertySheet* sheet : m_pSheets)
        if (sheet)
            return true;
    return false;
}

void CMainFrame::RunSheet(SheetKind kind)
{
    CPropertySheet*& slot = m_pSheets[static_cast<int>(kind)];
    if (slot) {
        slot->SetForegroundWindow();
        return;
    }
    CPropertySheet* sheet = CreateSheet(kind, this);
    if (!sheet)
        return;
    slot = sheet;
    sheet->DoModal();
    slot = nullptr;
    delete sheet;
    FinishPendingExit();
}

LRESULT CMainFrame::OnOpenImageChangerMessage(WPARAM, LPARAM)
{
    RunSheet(SheetKind::ImageChanger);
    return 0;
}

LRESULT CMainFrame::OnOpenMusicConfigMessage(WPARAM, LPARAM)
{
    RunSheet(SheetKind::Media);
    return 0;
}

void CMainFrame::OnConfigureImageChanger() { RunSheet(SheetKind::ImageChanger); }
void CMainFrame::OnConfigureMusic() { RunSheet(SheetKind::Media); }
void CMainFrame::OnDiskInfo() { RunSheet(SheetKind::DiskInfo); }
void CMainFrame::OnWindowsConfiguration() { RunSheet(SheetKind::WindowsConfig); }
void CMainFrame::OnOptions() { RunSheet(SheetKind::Options); }

void CMainFrame::FinishPendingExit()
{
    if (m_bExitPending && !AnySheetOpen())
        OnClose();
}

void CMainFrame::EndCornerThread()
{
    // The thread leaves its loop on a quit message (one stopped from outside could be frozen
    // inside a lock this thread needs later). At idle priority a busy machine may give it no
    // time within the wait, so it ends at normal priority; and an object whose thread is still
    // running is left to the end of the process rather than destroyed under it.
    if (!m_pCornerThread)
        return;
    if (m_pCornerThread->m_hThread)
        m_pCornerThread->SetThreadPriority(THREAD_PRIORITY_NORMAL);
    if (m_pCornerThread->QuitAndWait(kCornerThreadExitWaitMs))
        delete m_pCornerThread;
    m_pCornerThread = nullptr;
}

void CMainFrame::OnExit()
{
    OnClose();
}

void CMainFrame::OnClose()
{
    if (AfxEndingModalWindows())
        return;  // leaving already: the last window to go brings the exit back here
    m_bExitPending = TRUE;
    if (AnySheetOpen()) {
        SetForegroundWindow();
        if (AfxMessageBox(IDS_EXIT_WITH_SHEETS, MB_YESNO) != IDYES) {
            m_bExitPending = FALSE;
            SetForegroundWindow();
            return;
        }
    }
    // Every box, dialog and sheet of this thread ends, innermost first and each only once the
    // one above it has returned, with Cancel (or No); the handlers below them then change
    // nothing. The last opener to return, or the message posted once all have, comes back here.
    if (AfxEndModalWindows(m_hWnd, WM_CLOSE))
        return;
    m_trayIcon.SetIcon(0u);
    KillTimer(TIMERID_TRAYRETRY);
    EndCornerThread();
    if (m_pDisplayTrayWnd) {
        m_pDisplayTrayWnd->DestroyWindow();
        delete m_pDisplayTrayWnd;
        m_pDisplayTrayWnd = nullptr;
    }
    for (CTrayIconWnd*& wnd : m_pUserTrayWnds) {
        if (wnd) {
            wnd->DestroyWindow();
            delete wnd;
            wnd = nullptr;
        }
    }
    if (m_pMusicPlayer) {
        m_pMusicPlayer->DestroyWindow();
        delete m_pMusicPlayer;
        m_pMusicPlayer = nullptr;
    }
    if (m_nAutoRandomizeTimer)
        KillTimer(m_nAutoRandomizeTimer);
    m_nAutoRandomizeTimer = 0;
    CFrameWnd::OnClose();
}
