// The hidden main window, hub of the resident program: the tray icon and menu, the user tray
// icons, the corner thread, the auto-randomize timer, the property sheets and the exit.
#pragma once

#include "AutoRandomizeCountdown.h"
#include "DisplayTrayWnd.h"
#include "ScreenSaverThread.h"
#include "Sheets.h"
#include "TrayIcon.h"
#include "TrayIconWnd.h"
#include "UserEntries.h"
#include "framework/CDialog.h"
#include "framework/CFrameWnd.h"
#include "framework/CMenu.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    void CreateUserTrayIcons();
    void BuildTrayMenu();
    void UpdateDisplayIcon();
    void RunUserItem(UINT nID);
    LRESULT OnSettingsChanged(WPARAM wParam, LPARAM lParam);
    void FinishPendingExit();

    CMenu& TrayMenu() { return m_trayMenu; }
    bool IsProgramIconShown() const { return m_bProgramIconShown != FALSE; }
    UINT_PTR AutoRandomizeTimer() const { return m_nAutoRandomizeTimer; }
    CScreenSaverThread& CornerThread() { return *m_pCornerThread; }
    CWnd* UserTrayWindow(int slot) const { return m_pUserTrayWnds[slot]; }
    CDisplayTrayWnd* DisplayTrayWindow() const { return m_pDisplayTrayWnd; }
    CWnd* MusicPlayer() const { return m_pMusicPlayer; }
    CPropertySheet* OpenSheet(SheetKind kind) const { return m_pSheets[static_cast<int>(kind)]; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    LRESULT OnOpenImageChangerMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnOpenMusicConfigMessage(WPARAM wParam, LPARAM lParam);
    void OnChangeWallpaper();
    void OnChangeStartup();
    void OnChangeWaitShutdown();
    void OnChangeSafeShutdown();
    void OnChangeAll();
    void OnConfigureImageChanger();
    void OnMusicStart();
    void OnMusicStop();
    void OnConfigureMusic();
    void OnActivateScreenSaver();
    void OnDiskInfo();
    void OnWindowsConfiguration();
    void OnOptions();
    void OnTunewrightHelp();
    void OnReadme();
    void OnExit();
    void OnUserItem(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    void ShowProgramIcon();
    void ArmAutoRandomize();
    void ChangeOneCategory(const char* section, int category);
    void RunSheet(SheetKind kind);
    bool AnySheetOpen() const;
    void RunHelpFile(const char* format);
    void EndCornerThread();

    CWnd* m_pMusicPlayer = nullptr;
    // Never destroyed while its thread runs: see EndCornerThread.
    CScreenSaverThread* m_pCornerThread = new CScreenSaverThread;
    CPropertySheet* m_pSheets[kSheetKinds] = {};
    BOOL m_bExitPending = FALSE;
    CTrayIcon m_trayIcon;
    CTrayIconWnd* m_pUserTrayWnds[kMaxUserEntries] = {};
    CMenu m_trayMenu;
    CDisplayTrayWnd* m_pDisplayTrayWnd = nullptr;
    BOOL m_bProgramIconShown = FALSE;
    UINT_PTR m_nAutoRandomizeTimer = 0;
    AutoRandomizeCountdown m_autoRandomize;  // periods longer than one timer can wait
    int m_nTrayRetries = 0;
};

// How long the exit waits for the corner thread to leave its loop.
constexpr DWORD kCornerThreadExitWaitMs = 3000;
// How often and how many times adding the program's tray icon is tried again.
constexpr UINT kTrayRetryPeriodMs = 2000;
constexpr int kTrayRetryLimit = 60;
