#include "TunewrightApp.h"

#include "AboutDialog.h"
#include "Helpers.h"
#include "InstallPages.h"
#include "MainFrame.h"
#include "MainFrameMessages.h"
#include "OptionsSheets.h"
#include "Preview.h"
#include "SplashDialog.h"
#include "StartupDecision.h"
#include "framework/Afx.h"
#include "resource.h"

#include <cstdlib>
#include <ctime>

CTunewrightApp theApp;

BEGIN_MESSAGE_MAP(CTunewrightApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CTunewrightApp::CTunewrightApp() = default;

CWnd* CTunewrightApp::GetMainWnd()
{
    CWnd* frame = reinterpret_cast<CWnd*>(m_pMainFrame);
    return frame && frame->m_hWnd ? frame : nullptr;
}

void CTunewrightApp::OnAppAbout()
{
    auto* about = new CAboutDialog;
    if (!about->Create(GetMainWnd()))
        delete about;
}

BOOL CTunewrightApp::InitInstance()
{
    // Queries of empty removable drives fail quietly.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    AfxEnableControlContainer();

    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        AfxMessageBox(IDS_NOT_NT);
        return FALSE;
    }
    if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) {
        AfxMessageBox(IDS_NEEDS_WIN95);
        return FALSE;
    }

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    Enable3dControls();
    SetRegistryKey("Marrowby Corp.");
    InitGlobalFolders();

    HWND hWndRunning = ::FindWindowA(nullptr, "Tunewright Control Window");
    m_strInstallFolder =
        GetRegistryString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Marrowby Corp.\\Tunewright 97", "Installed Path");
    CString commandLine(::GetCommandLineA());

    switch (DecideStartup(version.dwPlatformId, !m_strInstallFolder.IsEmpty(), commandLine, hWndRunning != nullptr)) {
    case StartupAction::NormalStart:
        return NormalStart(nullptr);
    case StartupAction::AlreadyRunning:
        AfxMessageBox(IDS_ALREADY_RUNNING, MB_OK);
        ::SetForegroundWindow(hWndRunning);
        return TRUE;
    case StartupAction::NoInstallationEntry:
        AfxMessageBox(IDS_NO_REGISTRY_ENTRY, MB_OK);
        return TRUE;
    case StartupAction::SetupWhileRunning:
        AfxMessageBox(IDS_SETUP_WHILE_RUNNING, MB_OK);
        ::SetForegroundWindow(hWndRunning);
        return TRUE;
    case StartupAction::RunInstaller:
        RunInstallationWizard();
        return TRUE;
    case StartupAction::RefuseWindowsNT:
    case StartupAction::RefuseOtherPlatform:
        return FALSE;
    }
    return FALSE;
}

BOOL CTunewrightApp::NormalStart(HWND)
{
    CSplashDialog splash;
    if (GetProfileInt("Settings", "Show Splash Screen", 1))
        splash.Create();
    splash.SetStatus(IDS_STATUS_INITIALIZING);

    BackupOriginalScreens(m_strInstallFolder);

    m_nRunYet = GetProfileInt("Settings", "Run Yet?", 0);
    if (m_nRunYet == 0) {
        splash.SetStatus(IDS_STATUS_CONFIGURE);
        splash.Close();
        // Only the first run asks: OK has the page write the start-with-Windows entry. Anything
        // else writes nothing (an entry the user kept through a reinstall stays), and "Run Yet?",
        // still 0 or missing, asks again next time.
        CConfigSheet config(nullptr);
        if (config.DoModal() != IDOK)
            return TRUE;
        WriteProfileInt("Settings", "Run Yet?", 1);
        m_nRunYet = 1;
    }

    CString title;
    title.LoadString(AFX_IDS_APP_TITLE);
    m_pMainFrame = new CMainFrame;
    if (!m_pMainFrame->Create(nullptr, title, WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault)) {
        m_pMainFrame = nullptr;  // a frame whose creation failed has deleted itself
        splash.Close();
        return TRUE;
    }
    m_pMainWnd = m_pMainFrame;

#ifdef TUNEWRIGHT_HAS_CONVERTER
    if (m_converterBlock.Allocate())
        m_converterBlock.Initialise(m_hInstance, m_pMainFrame->m_hWnd);
#endif

    splash.SetStatus(IDS_STATUS_REGISTRY);
    BOOL randomWallpaper = GetProfileInt("Settings", "Random Wallpaper", 1);
    BOOL randomStartup = GetProfileInt("Settings", "Random Startup Screen", 1);
    BOOL randomWait = GetProfileInt("Settings", "Random Wait Shutdown", 1);
    BOOL randomSafe = GetProfileInt("Settings", "Random Safe Shutdown", 1);

    ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    splash.SetStatus(IDS_STATUS_TRAYICONS);
    m_pMainFrame->CreateUserTrayIcons();
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_NORMAL);

    if (GetProfileInt("Settings", "Randomize Startup", 0)) {
        splash.SetStatus(IDS_STATUS_RANDOMIZING);
        ChangeImages(randomWallpaper, randomStartup, randomSafe, randomWait);
    }
    if (GetProfileInt("Settings", "Clear Documents Menu", 1)) {
        splash.SetStatus(IDS_STATUS_DOCUMENTS);
        ClearDocumentsMenu();
    }
    splash.SetStatus(IDS_STATUS_MUSIC);
    if (GetProfileInt("Settings", "Auto MIDI", 0))
        m_pMainFrame->SendMessage(WM_SETTINGSCHANGED, 0, SCF_MUSICRESTART);
    splash.SetStatus(IDS_STATUS_COMPLETE);
    splash.Close();
    return TRUE;
}

int CTunewrightApp::ExitInstance()
{
    // Previews convert through the converter block and own temporary files: they end first,
    // before the block goes with the application object.
    CloseAllPreviews();
    // The converter block is released with the application object.
    return CWinApp::ExitInstance();
}

#ifdef TUNEWRIGHT_HAS_CONVERTER
namespace {

// The image changer reports each failure with a string-table text that names the file.
void ReportImageProblem(unsigned messageId, const std::string& path)
{
    CString text;
    text.Format(LoadResourceString(messageId), path.c_str());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace
#endif

void CTunewrightApp::ChangeImages(BOOL bWallpaper, BOOL bStartup, BOOL bSafeShutdown, BOOL bWaitShutdown)
{
#ifdef TUNEWRIGHT_HAS_CONVERTER
    CWaitCursor wait;
    tunewright::ImageChangerContext context{Profile(), m_converterBlock, g_strWindowsFolder.c_str(),
                                            m_strInstallFolder.c_str(), ReportImageProblem};
    tunewright::ChangeImages(context, bWallpaper, bStartup, bSafeShutdown, bWaitShutdown);
#else
    (void)bWallpaper, (void)bStartup, (void)bSafeShutdown, (void)bWaitShutdown;
#endif
}

void CTunewrightApp::ApplyImage(int nCategory, const char* lpszImage)
{
#ifdef TUNEWRIGHT_HAS_CONVERTER
    CWaitCursor wait;
    tunewright::ImageChangerContext context{Profile(), m_converterBlock, g_strWindowsFolder.c_str(),
                                            m_strInstallFolder.c_str(), ReportImageProblem};
    tunewright::ApplyImage(context, nCategory, lpszImage ? lpszImage : "");
#else
    (void)nCategory, (void)lpszImage;
#endif
}

BOOL CTunewrightApp::ConvertImage(const CString& strSource, const CString& strDestination)
{
#ifdef TUNEWRIGHT_HAS_CONVERTER
    return m_converterBlock.Convert(strSource.c_str(), strDestination.c_str(), 2);
#else
    (void)strSource, (void)strDestination;
    return FALSE;
#endif
}
