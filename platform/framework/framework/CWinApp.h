// The application object: one global instance whose InitInstance starts the program, whose
// Run is the main message loop and whose ExitInstance cleans up. It also keeps the program
// title (the caption of every message box), the per-user profile and help.
#pragma once

#include "framework/CWinThread.h"
#include "framework/ProfileStore.h"

#include <memory>

class CWinApp : public CWinThread {
public:
    // Without a name the program title comes from string AFX_IDS_APP_TITLE.
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;

    // The profile lives under HKEY_CURRENT_USER\Software\<company>\<program title>\<section>.
    void SetRegistryKey(const char* lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    int GetProfileInt(const char* section, const char* entry, int nDefault);
    CString GetProfileString(const char* section, const char* entry, const char* lpszDefault = nullptr);
    BOOL WriteProfileInt(const char* section, const char* entry, int nValue);
    BOOL WriteProfileString(const char* section, const char* entry, const char* lpszValue);
    // The same profile for code that takes the portable interface.
    ProfileStore& Profile();
    // Puts another store in place of the registry (tests).
    void SetProfileStore(std::unique_ptr<ProfileStore> store);

    virtual int DoMessageBox(const char* lpszPrompt, UINT nType, UINT nIDPrompt);
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(const char* lpszCursorName) const;
    void DoWaitCursor(int nCode);  // 1 begin, -1 end, 0 restore; counted per thread
    int WaitCursorCount() const;   // of the calling thread
    BOOL Enable3dControls();       // the look is the system's own from Windows 95 on

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;
    const char* m_pszProfileName = nullptr;
    const char* m_pszHelpFilePath = nullptr;
    const char* m_pszExeName = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName, m_strRegistryKey, m_strHelpFilePath, m_strExeName;
    std::unique_ptr<ProfileStore> m_profile;
    friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWnd* AfxGetMainWnd();

// Fills the application's instance data and program title; WinMain's first step, and what
// in-process tests call instead of it.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// Message boxes with the program title as caption; a box without an icon of its own gets the
// exclamation mark. The id form loads its text from the string table.
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
// What a handler that ran out of memory shows: string AFX_IDP_FAILED_MEMORY_ALLOC.
void AfxReportOutOfMemory();

// Hosting of OLE controls; the framework initialises OLE for the thread.
void AfxEnableControlContainer();

// The wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};
