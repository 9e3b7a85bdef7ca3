#include "Preview.h"

#include "Files.h"
#include "GlobalFolders.h"
#include "HelperText.h"
#include "PreviewTempName.h"
#include "Shell.h"
#include "TunewrightApp.h"
#include "framework/CWinApp.h"
#include "resource_preview.h"

#include <atomic>
#include <mutex>
#include <vector>

std::atomic<int> UseRebarControls{0};

namespace {

// The previews alive in the process, for the exit to close them.
std::mutex& PreviewListLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<CPreviewThread*>& PreviewList()
{
    static std::vector<CPreviewThread*> list;
    return list;
}

std::atomic<bool> g_bClosingPreviews{false};

// Plain OK boxes of the preview's own thread (no owner in another thread).
void PreviewMessage(UINT nID)
{
    if (g_bClosingPreviews)
        return;  // the program is leaving; nobody would answer
    CString text;
    text.LoadString(nID);
    CWinApp* app = AfxGetApp();
    ::MessageBoxA(nullptr, text, app && app->m_pszAppName ? app->m_pszAppName : "", MB_OK | MB_ICONEXCLAMATION);
}

// Creating the file is what reserves a name; the lock keeps previews of this process from
// racing through the numbers together.
CString ReserveTempFile(const CString& folder)
{
    static std::mutex lock;
    std::lock_guard<std::mutex> hold(lock);
    std::string name = ReservePreviewTempName(folder.c_str(), [](const std::string& candidate) {
        HANDLE file = ::CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return TempCreateResult::kCreated;
        }
        DWORD error = ::GetLastError();
        // A folder of that name refuses creation with access denied, as a read-only folder
        // would: only an existing entry of that name means "try the next".
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
            (error == ERROR_ACCESS_DENIED && ::GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES))
            return TempCreateResult::kTaken;
        return TempCreateResult::kFailed;
    });
    return CString(name.c_str());
}

// The converter wrote a bitmap when the reserved (empty) file now holds something.
bool HoldsConvertedFile(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

// Only what the user could close: a frame still hidden belongs to a start under way, which
// sees the closing flag itself.
BOOL CALLBACK CloseThreadWindow(HWND hWnd, LPARAM)
{
    if (::IsWindowVisible(hWnd))
        ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

const FlatToolButtonDesc kPreviewButtons[] = {
    {0, ID_PREVIEW_OPEN, TBSTATE_ENABLED, TBSTYLE_BUTTON, "Open", ""},
    {0, 0, 0, TBSTYLE_SEP, "", ""},
    {1, ID_PREVIEW_FIT, TBSTATE_ENABLED, TBSTYLE_BUTTON, "Scale To Fit", ""},
    {2, ID_PREVIEW_NORMAL, TBSTATE_ENABLED, TBSTYLE_BUTTON, "Normal Size", ""},
    {0, 0, 0, TBSTYLE_SEP, "", ""},
    {3, ID_PREVIEW_ZOOMIN, TBSTATE_ENABLED, TBSTYLE_BUTTON, "Zoom In", ""},
    {4, ID_PREVIEW_ZOOMOUT, TBSTATE_ENABLED, TBSTYLE_BUTTON, "Zoom Out", ""},
    {0, 0, 0, TBSTYLE_SEP, "", ""},
    {5, ID_PREVIEW_CLOSE, TBSTATE_ENABLED, TBSTYLE_BUTTON, "Close", ""},
};

const FlatToolBarDesc kPreviewToolBar = {
    TBSTYLE_FLAT, 0, IDB_PREVIEW_NORMAL, IDR_PREVIEW, static_cast<int>(std::size(kPreviewButtons)), 32, 30,
    kPreviewButtons,
};

}  // namespace

void OpenImagePreview(const char* lpszPath)
{
    if (g_bClosingPreviews)
        return;
    auto* thread = new CPreviewThread(lpszPath);
    if (!thread->CreateThread())
        delete thread;
}

void CloseAllPreviews()
{
    g_bClosingPreviews = true;
    struct Running {
        DWORD id;
        HANDLE handle;
    };
    std::vector<Running> running;
    {
        std::lock_guard<std::mutex> hold(PreviewListLock());
        for (CPreviewThread* thread : PreviewList()) {
            HANDLE copy = nullptr;
            if (thread->m_hThread && ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(),
                                                       &copy, SYNCHRONIZE, FALSE, 0))
                running.push_back({thread->m_nThreadID, copy});
        }
    }
    for (const Running& r : running) {
        // The frame closes as by its close box; a message box of the thread closes too, and a
        // thread still converting ends its loop as soon as it has one.
        ::EnumThreadWindows(r.id, CloseThreadWindow, 0);
        ::PostThreadMessageA(r.id, WM_QUIT, 0, 0);
    }
    // A thread inside the converter leaves it only when the conversion returns, and then ends
    // at once, converting nothing more: the wait has no bound, as anything shorter would let
    // the exit free what the thread still uses. Messages a preview sends this thread's windows
    // meanwhile are answered, so that it never waits for this wait.
    for (const Running& r : running) {
        for (;;) {
            DWORD woken = ::MsgWaitForMultipleObjects(1, &r.handle, FALSE, 250, QS_SENDMESSAGE);
            if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
                break;
            MSG msg;
            if (woken == WAIT_OBJECT_0 + 1)
                ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers what was sent
            else
                ::EnumThreadWindows(r.id, CloseThreadWindow, 0);  // a message box shown since
        }
        ::CloseHandle(r.handle);
    }
}

int RebarControlsForVersion(DWORD versionMS, DWORD versionLS)
{
    bool first = versionMS == 0x00040000 && versionLS == 950;
    bool ie3 = versionMS == 0x00040046 && versionLS == 1053;
    return first || ie3 ? 0 : 1;
}

// The thread.

CPreviewThread::CPreviewThread(const char* lpszPath) : m_strPath(lpszPath)
{
    std::lock_guard<std::mutex> hold(PreviewListLock());
    PreviewList().push_back(this);
}

CPreviewThread::~CPreviewThread()
{
    std::lock_guard<std::mutex> hold(PreviewListLock());
    auto& list = PreviewList();
    for (auto it = list.begin(); it != list.end(); ++it)
        if (*it == this) {
            list.erase(it);
            break;
        }
}

BOOL CPreviewThread::InitInstance()
{
    m_pDocTemplate = new CSingleDocTemplate(IDR_PREVIEW, DOC_FACTORY(CPreviewDoc), FRAME_FACTORY(CPreviewFrameWnd),
                                            VIEW_FACTORY(CPreviewViewWnd));
    CDocument* pDoc = m_pDocTemplate->CreateNewDocument();
    if (!pDoc || !pDoc->OnNewDocument()) {
        PreviewMessage(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDoc;
        return FALSE;
    }
    pDoc->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = m_pDocTemplate->CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = TRUE;
    if (!pFrame) {
        PreviewMessage(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDoc;
        return FALSE;
    }
    // The framework's own messages during the start (a file it cannot open) then belong to this
    // thread, not to the main window's.
    m_pMainWnd = pFrame;
    BeginWaitCursor();
    pDoc->SetModifiedFlag(FALSE);

    // The file is ours from its reservation on, so the exit deletes it whatever happens next.
    m_strTempFile = ReserveTempFile(g_strTempFolder);
    if (!m_strTempFile.IsEmpty())
        ConvertForPreview(m_strPath, m_strTempFile);
    if (m_strTempFile.IsEmpty() || !HoldsConvertedFile(m_strTempFile) || g_bClosingPreviews) {
        if (!g_bClosingPreviews)
            PreviewMessage(IDS_PREVIEW_UNREADABLE);
        pFrame->DestroyWindow();
        EndWaitCursor();
        return FALSE;
    }
    if (!pDoc->OnOpenDocument(m_strTempFile) || g_bClosingPreviews) {
        pFrame->DestroyWindow();
        EndWaitCursor();
        return FALSE;
    }
    pDoc->SetPathName(m_strPath);
    EndWaitCursor();

    m_pDocTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
    pFrame->SetForegroundWindow();
    return TRUE;
}

int CPreviewThread::ExitInstance()
{
    delete m_pDocTemplate;
    m_pDocTemplate = nullptr;
    if (!m_strTempFile.IsEmpty())
        ForceDeleteFile(m_strTempFile);
    return CWinThread::ExitInstance();
}

BOOL CPreviewThread::ConvertForPreview(const char* lpszSource, const char* lpszDestination)
{
    // The block's lock keeps this conversion apart from the image changer's and other
    // previews'. Once the program is leaving, a conversion not yet begun is not begun.
    if (g_bClosingPreviews)
        return FALSE;
    return theApp.m_converterBlock.Convert(lpszSource, lpszDestination, 0);
}

// The document.

BOOL CPreviewDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CPreviewDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        return;
    CFile* file = ar.GetFile();
    if (!m_dib.Read(file->m_hFile, file->GetFilePath().c_str()))
        PreviewMessage(IDS_PREVIEW_LOAD_FAILED);
}

// The frame.

BEGIN_MESSAGE_MAP(CPreviewFrameWnd, CFrameWnd)
    ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
    ON_WM_CREATE()
    AFX_ON_VOID_MESSAGE(WM_LBUTTONDOWN, OnSwallowMouse)
    AFX_ON_VOID_MESSAGE(WM_LBUTTONDBLCLK, OnSwallowMouse)
    AFX_ON_VOID_MESSAGE(WM_RBUTTONDOWN, OnSwallowMouse)
    AFX_ON_VOID_MESSAGE(WM_RBUTTONDBLCLK, OnSwallowMouse)
    ON_COMMAND(ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_UPDATE_COMMAND_UI(ID_PREVIEW_FIT, OnUpdateScaleToFit)
    ON_UPDATE_COMMAND_UI(ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
    ON_UPDATE_COMMAND_UI(ID_PREVIEW_NORMAL, OnUpdateNormalSize)
END_MESSAGE_MAP()

int CPreviewFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    // The rebar needs common controls newer than the first two releases. The maker's utility
    // library that used to be loaded here is not: nothing in it was ever called, and loading
    // a library by bare name runs whatever lies in its place.
    int useRebar = 0;
    char path[MAX_PATH];
    lstrcpynA(path, g_strSystemFolder, MAX_PATH);
    if (AppendPath(path, "comctl32.dll", MAX_PATH) >= 0) {
        DWORD ignored = 0;
        DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
        std::vector<char> data(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (size && ::GetFileVersionInfoA(path, 0, size, data.data()) &&
            ::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) && info)
            useRebar = RebarControlsForVersion(info->dwFileVersionMS, info->dwFileVersionLS);
    }
    UseRebarControls = useRebar;

    if (!useRebar) {
        if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
            !m_wndToolBar.LoadToolBar(IDR_PREVIEW))
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_wndToolBar);
    } else if (!CreateRebar()) {
        return -1;
    }

    RecalcLayout();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 0;
}

BOOL CPreviewFrameWnd::CreateRebar()
{
    if (!m_wndRebarFrame.Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_TOP, 0))
        return FALSE;
    if (!m_wndRebar.Create(&m_wndRebarFrame,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | RBS_BANDBORDERS |
                               RBS_VARHEIGHT | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                           0))
        return FALSE;
    m_wndRebarFrame.m_pRebar = &m_wndRebar;
    m_wndFlatToolBar.m_pDesc = &kPreviewToolBar;
    m_wndFlatToolBar.m_cxTextPad = 60;
    if (!m_wndFlatToolBar.Create(&m_wndRebarFrame))
        return FALSE;
    m_wndFlatToolBar.SetBarStyle(m_wndFlatToolBar.GetBarStyle() | CBRS_ALIGN_ANY | CBRS_TOOLTIPS | CBRS_FLYBY |
                                 CBRS_SIZE_DYNAMIC);

    // The band is as tall as the buttons the toolbar lays out, with the label rows it really
    // draws: two rows' room under a toolbar that puts its labels on one would stay empty.
    UINT height = HIWORD(static_cast<DWORD>(m_wndFlatToolBar.SendMessage(TB_GETBUTTONSIZE)));
    return m_wndRebar.InsertBand(&m_wndFlatToolBar, RBBS_CHILDEDGE | RBBS_FIXEDBMP, "", height, 0, nullptr,
                                 ::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNFACE));
}

void CPreviewFrameWnd::OnSwallowMouse() {}

void CPreviewFrameWnd::OnPreviewClose()
{
    SendMessage(WM_CLOSE);
}

CPreviewViewWnd* CPreviewFrameWnd::PreviewView() const
{
    return dynamic_cast<CPreviewViewWnd*>(GetActiveView());
}

void CPreviewFrameWnd::OnUpdateScaleToFit(CCmdUI* pCmdUI)
{
    CPreviewViewWnd* view = PreviewView();
    pCmdUI->SetCheck(view && view->Zoom().m_bFit);
}

void CPreviewFrameWnd::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    CPreviewViewWnd* view = PreviewView();
    pCmdUI->Enable(view && view->Zoom().CanZoomIn());
}

void CPreviewFrameWnd::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    CPreviewViewWnd* view = PreviewView();
    pCmdUI->Enable(view && view->Zoom().CanZoomOut());
}

void CPreviewFrameWnd::OnUpdateNormalSize(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

// The view.

BEGIN_MESSAGE_MAP(CPreviewViewWnd, CScrollView)
    ON_WM_CREATE()
    ON_COMMAND(ID_PREVIEW_OPEN, OnOpenInPaint)
    ON_COMMAND(ID_PREVIEW_FIT, OnScaleToFit)
    ON_COMMAND(ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_COMMAND(ID_PREVIEW_NORMAL, OnNormalSize)
    ON_WM_SIZE()
END_MESSAGE_MAP()

void CPreviewViewWnd::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    const tunewright::DibImage& image = GetDocument()->m_dib.Image();
    int height = image.Height();
    SetScrollSizes(MM_TEXT, {image.Width(), height < 0 ? -height : height});
}

void CPreviewViewWnd::OnDraw(HDC hdc)
{
    const tunewright::CDIB& dib = GetDocument()->m_dib;
    int width = dib.Image().Width(), height = dib.Image().Height();
    height = height < 0 ? -height : height;
    RECT client;
    GetClientRect(&client);
    int outWidth = 0, outHeight = 0;
    m_zoom.OutputSize(width, height, client.right, client.bottom, outWidth, outHeight);
    SetScrollSizes(MM_TEXT, {outWidth, outHeight});

    // The scroll position moved the origin: black goes over whatever part is visible.
    RECT visible;
    ::GetClipBox(hdc, &visible);
    ::PatBlt(hdc, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top, BLACKNESS);
    if (dib.Image().HasImage())
        ::StretchDIBits(hdc, 0, 0, outWidth, outHeight, 0, 0, width, height, dib.Bits(), dib.BitmapInfo(),
                        DIB_RGB_COLORS, SRCCOPY);
}

void CPreviewViewWnd::OnOpenInPaint()
{
    OpenImageInPaint(m_hWnd, GetDocument()->GetPathName());
}

void CPreviewViewWnd::OnScaleToFit()
{
    m_zoom.ToggleFit();
    Invalidate(TRUE);
}

void CPreviewViewWnd::OnZoomIn()
{
    if (m_zoom.ZoomIn())
        Invalidate(TRUE);
}

void CPreviewViewWnd::OnZoomOut()
{
    if (m_zoom.ZoomOut())
        Invalidate(TRUE);
}

void CPreviewViewWnd::OnNormalSize()
{
    m_zoom.NormalSize();
    Invalidate(TRUE);
}

void CPreviewViewWnd::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    // A fitted picture follows the window's shape, so every pixel of it moves: the part the
    // system would keep is stale.
    if (m_zoom.m_bFit)
        Invalidate(TRUE);
}
