#include "framework/CWinApp.h"

#include "framework/FrameworkIds.h"
#include "framework/ModalWindows.h"
#include "RegistryProfileStore.h"

#include <objbase.h>

#include <new>

namespace {
CWinApp* g_pApp;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp ? g_pApp->m_hInstance : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE h = AfxGetInstanceHandle();
    return h ? h : ::GetModuleHandleA(nullptr);
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    if (thread && thread->GetMainWnd())
        return thread->GetMainWnd();
    return g_pApp ? g_pApp->GetMainWnd() : nullptr;
}

CWinApp::CWinApp(const char* lpszAppName)
{
    g_pApp = this;
    m_bAutoDelete = FALSE;
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    app->m_hInstance = hInstance ? hInstance : ::GetModuleHandleA(nullptr);
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    app->m_hThread = nullptr;
    app->m_nThreadID = ::GetCurrentThreadId();
    AfxSetThread(app);

    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(app->m_hInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        path[0] = '\0';
    CString modulePath(path);
    int slash = modulePath.ReverseFind('\\');
    CString fileName = modulePath.Mid(slash + 1);
    int dot = fileName.ReverseFind('.');
    app->m_strExeName = dot >= 0 ? fileName.Left(dot) : fileName;
    app->m_pszExeName = app->m_strExeName;
    if (!app->m_pszAppName) {
        if (!app->m_strAppName.LoadString(AFX_IDS_APP_TITLE))
            app->m_strAppName = app->m_strExeName;
        app->m_pszAppName = app->m_strAppName;
    }
    app->m_pszProfileName = app->m_pszAppName;
    int moduleDot = modulePath.ReverseFind('.');
    app->m_strHelpFilePath = (moduleDot > slash ? modulePath.Left(moduleDot) : modulePath) + ".hlp";
    app->m_pszHelpFilePath = app->m_strHelpFilePath;
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    int code = -1;
    try {
        if (!app->InitApplication() || !app->InitInstance()) {
            if (app->m_pMainWnd)
                app->m_pMainWnd->DestroyWindow();
            code = app->ExitInstance();
        } else {
            code = app->Run();
        }
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
        code = -1;
    } catch (...) {
        code = -1;
    }
    AfxDeleteTempMaps();
    return code;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run()
{
    // Nothing to wait for without a main window: end at once.
    if (!m_pMainWnd)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_profile.reset();
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

ProfileStore& CWinApp::Profile()
{
    if (!m_profile)
        m_profile = std::make_unique<RegistryProfileStore>(m_pszRegistryKey ? m_pszRegistryKey : "",
                                                           m_pszProfileName ? m_pszProfileName : "");
    return *m_profile;
}

void CWinApp::SetProfileStore(std::unique_ptr<ProfileStore> store)
{
    m_profile = std::move(store);
}

int CWinApp::GetProfileInt(const char* section, const char* entry, int nDefault)
{
    return Profile().GetProfileInt(section, entry, nDefault);
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* lpszDefault)
{
    return Profile().GetProfileString(section, entry, lpszDefault);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int nValue)
{
    return Profile().WriteProfileInt(section, entry, nValue);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* lpszValue)
{
    return Profile().WriteProfileString(section, entry, lpszValue);
}

int CWinApp::DoMessageBox(const char* lpszPrompt, UINT nType, UINT)
{
    if (AfxEndingModalWindows())
        return AfxCautiousAnswer(nType);  // the program is leaving: nobody would answer
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    HWND hWndOwner = ::GetActiveWindow();
    if (!hWndOwner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main->m_hWnd)
            hWndOwner = ::GetLastActivePopup(main->m_hWnd);
    }
    CModalWindowScope scope;
    return ::MessageBoxA(hWndOwner, lpszPrompt, m_pszAppName ? m_pszAppName : "", nType);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* main = AfxGetMainWnd();
    ::WinHelpA(main ? main->m_hWnd : nullptr, m_pszHelpFilePath, nCmd, dwData);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(const char* lpszCursorName) const
{
    return ::LoadCursorA(nullptr, lpszCursorName);
}

namespace {
// The cursor belongs to the thread whose windows it shows over, so every thread keeps its own
// count: a worker's wait cursor never ends the main thread's, nor the other way round.
thread_local int t_nWaitCursorCount;
thread_local HCURSOR t_hcurWaitCursorRestore;
}  // namespace

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0) {
        if (t_nWaitCursorCount++ == 0)
            t_hcurWaitCursorRestore = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    } else if (nCode < 0) {
        if (t_nWaitCursorCount > 0 && --t_nWaitCursorCount == 0)
            ::SetCursor(t_hcurWaitCursorRestore ? t_hcurWaitCursorRestore : ::LoadCursorA(nullptr, IDC_ARROW));
    } else if (t_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    }
}

int CWinApp::WaitCursorCount() const
{
    return t_nWaitCursorCount;
}

BOOL CWinApp::Enable3dControls()
{
    return TRUE;
}

void AfxReportOutOfMemory()
{
    CString text;
    if (!text.LoadString(AFX_IDP_FAILED_MEMORY_ALLOC))
        text = "A memory allocation error has occured";
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, AFX_IDP_FAILED_MEMORY_ALLOC);
}

int AfxMessageBox(const char* lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* app = AfxGetApp();
    if (app)
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    if (AfxEndingModalWindows())
        return AfxCautiousAnswer(nType);
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    CModalWindowScope scope;
    return ::MessageBoxA(nullptr, lpszText, "", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}

void AfxEnableControlContainer()
{
    static bool initialised = SUCCEEDED(::OleInitialize(nullptr));
    (void)initialised;
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(0);
}
