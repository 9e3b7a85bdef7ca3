// Start-up, the main window and its commands. Everything the user does arrives here as a
// window message; the work is done by the portable driver and collection.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "Dialogs.h"
#include "Palettrim.h"
#include "StripTexts.h"
#include "Toolbar.h"
#include "resource.h"

namespace {

// Status panes of the options.
enum { PaneCommentsFile = 5, PaneRemoveComments = 6, PaneRemoveData = 7, PaneShowComments = 8 };

// Toolbar button indices.
enum {
    ButtonRemoveComments = 2,
    ButtonRemoveData = 3,
    ButtonShowComments = 4,
    ButtonCommentsFile = 6,
    ButtonOwnComment = 7,
    ButtonShowImages = 9,
    ButtonStop = 10
};

// What a stripping step asks of the window.
class WindowStripView : public StripView {
public:
    void setPaneText(int pane, const std::string& text) override { setPane(pane, text); }
    void setMessageText(const std::string& text) override { ::setMessageText(text); }
    void showFirstImage(GifFile& gif) override
    {
        app().image.show(app().window, gif);
        InvalidateRect(app().window, nullptr, TRUE);
    }
    void showComment(const std::string& text) override
    {
        MessageBoxA(app().window, text.c_str(), "COMMENT", MB_OK);
    }
    void setStopEnabled(bool enabled) override
    {
        setToolbarButtonEnabled(ButtonStop, enabled);
        EnableMenuItem(GetMenu(app().window), ID_ACTIONS_STOP,
                       MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    void startPause(unsigned milliseconds) override;
};

WindowStripView g_view;

void CALLBACK nextFileTimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    PostMessageA(window, WM_NEXTFILE, 0, 0);
}

void WindowStripView::startPause(unsigned milliseconds)
{
    SetTimer(app().window, kNextFileTimer, milliseconds, nextFileTimerProc);
}

void showLastError(UINT icon)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                   GetLastError(), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<char*>(&text), 0, nullptr);
    MessageBoxA(nullptr, text ? text : "Unknown error", "Last Error", MB_OK | icon);
    if (text)
        LocalFree(text);
}

RECT imageArea(HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    HWND toolbar = toolbarWindow();
    if (toolbar && IsWindowVisible(toolbar)) {
        RECT r;
        GetWindowRect(toolbar, &r);
        area.top += r.bottom - r.top;
    }
    if (app().statusBar && app().statusBar->isVisible()) {
        RECT r;
        GetWindowRect(app().statusBar->window(), &r);
        area.bottom -= r.bottom - r.top;
    }
    return area;
}

void layoutBars()
{
    if (app().statusBar)
        app().statusBar->layout();
    if (toolbarWindow())
        SendMessageA(toolbarWindow(), TB_AUTOSIZE, 0, 0);
}

void paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    layoutBars();
    RECT area = imageArea(window);
    if (app().image.hasContext())
        app().image.paint(dc, area, app().driver.options.showImages);
    if (!app().message.empty()) {
        // The message goes right of the image, or at the left when there is none.
        int x = area.left + 8 + (app().image.hasContext() && app().driver.options.showImages
                                     ? app().image.width() : 0);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, x, area.top + 8, app().message.c_str(), int(app().message.size()));
    }
    EndPaint(window, &ps);
}

// Starts a run after paths were collected.
void startRun()
{
    app().collector.expandFolders();
    app().driver.startRun(g_view);
}

void onDropFiles(HDROP drop)
{
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0) {
        DragFinish(drop);
        return;
    }
    // A drop replaces the queue, except while a file is being handled: then it only adds.
    app().collector.begin(!app().driver.busy());
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string name(size_t(length) + 1, '\0');
        DragQueryFileA(drop, i, name.data(), length + 1);
        name.resize(length);
        setMessageText("");
        app().collector.classify(name);
    }
    DragFinish(drop);
    startRun();
}

void onOpen(HWND window)
{
    std::vector<char> buffer(8192, '\0');
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = "Gif Files\0*.gif\0All Files\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrTitle = "Select GIF File";
    // Wine's older dialog keeps one selection in its list; this one lets several be picked.
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_LONGNAMES | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn))
        return;
    app().collector.begin(false); // an Open adds to the lists
    std::vector<std::string> missing;
    for (const std::string& path : openDialogPaths(std::string(buffer.data(), buffer.size()),
                                                   ofn.nFileOffset, app().fileSystem))
        if (!app().collector.classify(path))
            missing.push_back(path);
    if (!missing.empty())
        MessageBoxA(window, striptext::notFound(missing).c_str(), "Palettrim",
                    MB_OK | MB_ICONEXCLAMATION);
    startRun();
}

void onCommentsFile(HWND window)
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = "Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = "Select Comments Output File";
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_CREATEPROMPT;
    CommentsLog& log = app().driver.log;
    if (GetSaveFileNameA(&ofn)) {
        if (log.open(path)) {
            setPane(PaneCommentsFile, "CF");
            setToolbarButtonChecked(ButtonCommentsFile, true);
            return;
        }
        std::string text = std::string("The comments file ") + path + " cannot be opened.";
        MessageBoxA(window, text.c_str(), "Palettrim", MB_OK | MB_ICONEXCLAMATION);
        setPane(PaneCommentsFile, " ");
    } else {
        log.close();
        setPane(PaneCommentsFile, "");
    }
    setToolbarButtonChecked(ButtonCommentsFile, false);
}

void toggle(HWND window, bool& option, UINT command, int pane, const char* on, const char* off,
            int button)
{
    option = !option;
    CheckMenuItem(GetMenu(window), command, MF_BYCOMMAND | (option ? MF_CHECKED : MF_UNCHECKED));
    if (pane >= 0)
        setPane(pane, option ? on : off);
    setToolbarButtonChecked(button, option);
}

void onCommand(HWND window, UINT command)
{
    StripOptions& options = app().driver.options;
    switch (command) {
    case ID_FILE_OPEN:
        onOpen(window);
        break;
    case ID_FILE_EXIT:
        app().driver.log.close();
        PostQuitMessage(0);
        break;
    case ID_OPTIONS_REMOVECOMMENTS:
        toggle(window, options.removeComments, command, PaneRemoveComments, "RC", "",
               ButtonRemoveComments);
        break;
    case ID_OPTIONS_REMOVEDATA:
        toggle(window, options.removeExtraneous, command, PaneRemoveData, "RD", "  ",
               ButtonRemoveData);
        break;
    case ID_OPTIONS_SHOWCOMMENTS:
        toggle(window, options.showComments, command, PaneShowComments, "SC", "",
               ButtonShowComments);
        break;
    case ID_OPTIONS_SHOWIMAGES:
        toggle(window, options.showImages, command, -1, "", "", ButtonShowImages);
        break;
    case ID_OPTIONS_COMMENTSFILE:
        onCommentsFile(window);
        break;
    case ID_OPTIONS_DISPLAYTIME:
        DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_DISPLAYTIME), window,
                        displayTimeDialogProc, 0);
        break;
    case ID_ACTIONS_OWNCOMMENT:
        DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_ADDCOMMENT), window,
                        addCommentDialogProc, 0);
        CheckMenuItem(GetMenu(window), command,
                      MF_BYCOMMAND | (app().driver.hasOwnComment ? MF_CHECKED : MF_UNCHECKED));
        setToolbarButtonChecked(ButtonOwnComment, app().driver.hasOwnComment);
        break;
    case ID_ACTIONS_STOP:
        app().driver.stopRequested = true;
        break;
    case ID_VIEW_TOOLBAR:
        app().toolbarShown = !app().toolbarShown;
        if (toolbarWindow())
            ShowWindow(toolbarWindow(), app().toolbarShown ? SW_SHOW : SW_HIDE);
        CheckMenuItem(GetMenu(window), command,
                      MF_BYCOMMAND | (app().toolbarShown ? MF_CHECKED : MF_UNCHECKED));
        InvalidateRect(window, nullptr, TRUE);
        break;
    case ID_HELP_ABOUT:
        DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_ABOUT), window, aboutDialogProc, 0);
        break;
    case ID_HELP_GENERALINFO:
        DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_GENERALINFO), window,
                        generalInfoDialogProc, 0);
        break;
    case ID_HELP_CONTENTS:
        WinHelpA(window, loadString(IDS_HELPFILE).c_str(), HELP_CONTENTS, 0);
        break;
    }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        app().window = window;
        app().fileSystem.setWindow(window);
        HMENU system = GetSystemMenu(window, FALSE);
        DeleteMenu(system, SC_MAXIMIZE, MF_BYCOMMAND);
        AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(system, MF_STRING, ID_HELP_ABOUT, loadString(IDS_ABOUTMENU).c_str());
        SetWindowTextA(window, loadString(IDS_TITLE).c_str());
        DragAcceptFiles(window, TRUE);
        app().statusBar = createStatusBar(window, app().instance);
        createToolbar(window, app().instance);
        setToolbarButtonChecked(ButtonRemoveData, true);
        setToolbarButtonChecked(ButtonShowComments, true);
        setToolbarButtonChecked(ButtonRemoveComments, true);
        setToolbarButtonChecked(ButtonShowImages, true);
        break;
    }
    case WM_DESTROY:
        app().image.destroy();
        return 0;
    case WM_CLOSE:
        app().driver.log.close();
        PostQuitMessage(0);
        return 1;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_NEEDTEXTA) {
            auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
            LoadStringA(app().instance, UINT(header->idFrom), tip->szText, sizeof tip->szText);
            return 0;
        }
        break;
    }
    case WM_DROPFILES:
        onDropFiles(HDROP(wParam));
        return 0;
    case WM_SYSCOMMAND:
        if (LOWORD(wParam) == ID_HELP_ABOUT) {
            DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_ABOUT), window, aboutDialogProc, 0);
            return 0;
        }
        break;
    case WM_NEXTFILE:
        app().driver.processNextFile(g_view);
        return 0;
    case WM_COMMAND: {
        UINT command = LOWORD(wParam);
        onCommand(window, command);
        if (command == ID_FILE_EXIT || command == ID_ACTIONS_OWNCOMMENT ||
            command == ID_HELP_ABOUT || command == ID_HELP_GENERALINFO)
            return 0;
        layoutBars();
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        break;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

Palettrim& app()
{
    static Palettrim state;
    return state;
}

std::string loadString(UINT id)
{
    char text[512] = "";
    LoadStringA(app().instance, id, text, sizeof text);
    return text;
}

void setPane(int id, const std::string& text)
{
    if (app().statusBar)
        app().statusBar->setPaneText(text, id);
}

void setMessageText(const std::string& text)
{
    app().message = text.substr(0, 79);
    if (app().window)
        InvalidateRect(app().window, nullptr, TRUE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = mainWindowProc;
    wc.cbWndExtra = 30;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PALETTRIM));
    wc.hIconSm = HICON(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PALETTRIM), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    wc.lpszClassName = "Palettrim";
    if (!RegisterClassExA(&wc)) {
        showLastError(MB_ICONHAND);
        return 0;
    }
    InitCommonControls();
    app().message.clear();
    app().instance = instance;

    HWND window = CreateWindowExA(0, "Palettrim", "Palettrim", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 559, 161, nullptr, nullptr, instance, nullptr);
    if (!window) {
        showLastError(MB_ICONHAND);
        return 0;
    }
    app().driver.folderList.clear();
    OleInitialize(nullptr);
    app().window = window;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    OleUninitialize();
    app().statusBar.reset();
    return int(msg.wParam);
}
