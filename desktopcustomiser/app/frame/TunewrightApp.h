// The application object: start-up (platform check, installation entry, single instance,
// splash, first-run configuration, main frame, converter, tray icons and start-up actions)
// and shut-down.
#pragma once

#include "framework/CWinApp.h"

#if __has_include("win32/converter_block.h") && __has_include("win32/image_apply.h")
#include "win32/converter_block.h"
#include "win32/image_apply.h"
#define TUNEWRIGHT_HAS_CONVERTER 1
#endif

class CMainFrame;

class CTunewrightApp : public CWinApp {
public:
    CTunewrightApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    CWnd* GetMainWnd() override;

    // The image changer: for each flagged category, the next or a random entry of its list.
    void ChangeImages(BOOL bWallpaper, BOOL bStartup, BOOL bSafeShutdown, BOOL bWaitShutdown);
    void ApplyImage(int nCategory, const char* lpszImage);
    BOOL ConvertImage(const CString& strSource, const CString& strDestination);

    int m_nRunYet = 0;
    CString m_strInstallFolder;
    CMainFrame* m_pMainFrame = nullptr;
#ifdef TUNEWRIGHT_HAS_CONVERTER
    tunewright::ConverterBlock m_converterBlock;
#endif

protected:
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    BOOL NormalStart(HWND hWndRunning);
};

extern CTunewrightApp theApp;
