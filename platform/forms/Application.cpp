#include "Application.h"

#include "Control.h"
#include "DragManager.h"
#include "Form.h"

#include <commctrl.h>

#include <algorithm>

namespace forms {
namespace {

const char kAppClass[] = "FormsApplication";
const UINT_PTR kMouseTimer = 1;

} // namespace

LRESULT CALLBACK Application::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Application& app = Instance();
    switch (msg) {
    case WM_TIMER:
        if (wp != kMouseTimer)
            break;
        {
            // Catches the pointer leaving our windows, which sends them no message.
            POINT p;
            GetCursorPos(&p);
            HWND under = WindowFromPoint(p);
            Control* c = Control::FindControl(under);
            if (!c)
                PostMessageA(wnd, WM_APP, 0, 0);
        }
        return 0;
    case WM_SIZE:
        // However this window was minimised or restored (the main form's button, the taskbar,
        // another program), the forms follow it.
        if (wp == SIZE_MINIMIZED)
            app.HideForms(true);
        else if (wp == SIZE_RESTORED)
            app.HideForms(false);
        break;
    case WM_SETFOCUS:
        // Activated from the taskbar: the form the user last worked in takes over.
        if (!IsIconic(wnd)) {
            app.ActivateForms();
            return 0;
        }
        break;
    case WM_CLOSE:
        // The taskbar button's Close closes the main form as its own close box does.
        if (app.mainForm_)
            app.Guard([&] { app.mainForm_->Close(); });
        return 0;
    default:
        break;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

Application& Application::Instance()
{
    static Application app;
    return app;
}

void Application::Initialize()
{
    if (handle_)
        return;
    InitCommonControls();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kAppClass;
    RegisterClassA(&wc);
    // A window of no size at the screen's centre: shown with the main form, it is the program's
    // taskbar button, with the application title as its text and a minimise command.
    handle_ = CreateWindowExA(0, kAppClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetTimer(handle_, kMouseTimer, 100, nullptr);
}

void Application::SetTitle(const std::string& t)
{
    title_ = t;
    if (handle_)
        SetWindowTextA(handle_, title_.c_str());
}

std::string Application::ExeName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string Application::ExeFolder()
{
    std::string path = ExeName();
    size_t slash = path.find_last_of("\\:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Application::HelpCommand(UINT command, ULONG_PTR data)
{
    if (helpFile_.empty())
        return false;
    HWND owner = mainForm_ ? mainForm_->WindowHandle() : handle_;
    return WinHelpA(owner, helpFile_.c_str(), command, data) != FALSE;
}

void Application::AddForm(Form* f)
{
    Initialize();
    forms_.push_back(f);
    if (!mainForm_)
        mainForm_ = f;
}

void Application::FinishCreation(Form* f)
{
    f->EndLoading();
    f->DoCreate();
}

void Application::FormDestroyed(Form* f)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
    if (mainForm_ == f)
        mainForm_ = nullptr;
}

void Application::ControlDestroyed(Control* c)
{
    if (mouseControl_ == c)
        mouseControl_ = nullptr;
}

void Application::Terminate()
{
    terminated_ = true;
    if (handle_)
        ShowWindow(handle_, SW_HIDE);
    PostQuitMessage(0);
}

void Application::Minimize()
{
    if (!handle_ || IsIconic(handle_))
        return;
    HideForms(true);
    ShowWindow(handle_, SW_MINIMIZE);
}

void Application::Restore()
{
    if (handle_ && IsIconic(handle_))
        ShowWindow(handle_, SW_RESTORE);
}

void Application::HideForms(bool hide)
{
    if (hide) {
        // Only the first call of a minimise records what was showing.
        if (!hiddenForms_.empty())
            return;
        for (Form* f : forms_)
            if (HWND w = f->WindowHandle(); w && IsWindowVisible(w)) {
                hiddenForms_.push_back(w);
                ShowWindow(w, SW_HIDE);
            }
        return;
    }
    std::vector<HWND> shown;
    shown.swap(hiddenForms_);
    for (HWND w : shown)
        if (IsWindow(w))
            ShowWindow(w, SW_SHOWNA);
    if (!shown.empty())
        ActivateForms();
}

void Application::ActivateForms()
{
    HWND main = mainForm_ ? mainForm_->WindowHandle() : nullptr;
    if (!main)
        return;
    // A modal dialog open over the main form is the window to return to.
    HWND target = GetLastActivePopup(main);
    if (IsWindowVisible(target) && IsWindowEnabled(target))
        SetFocus(target);
}

void Application::HandleException(const std::exception& e)
{
    if (OnException) {
        OnException(nullptr, e);
        return;
    }
    if (handlingException_)
        return;
    handlingException_ = true;
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_)
        owner = mainForm_->WindowHandle();
    MessageBoxA(owner, e.what(), title_.c_str(), MB_OK | MB_ICONSTOP);
    handlingException_ = false;
}

void Application::TrackMouse(HWND wnd)
{
    Control* c = Control::FindControl(wnd);
    if (c == mouseControl_)
        return;
    Control* old = mouseControl_;
    mouseControl_ = c;
    if (old)
        old->MouseLeave();
    if (c && mouseControl_ == c)
        c->MouseEnter();
}

bool Application::ProcessMessage(MSG& msg)
{
    if (DragManager::Instance().PreProcess(msg))
        return true;
    if (msg.message == WM_MOUSEMOVE)
        TrackMouse(msg.hwnd);
    else if (msg.message == WM_APP && msg.hwnd == handle_) {
        POINT p;
        GetCursorPos(&p);
        TrackMouse(WindowFromPoint(p));
        return true;
    }
    if (msg.message == WM_SYSCHAR || msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        Control* c = Control::FindControl(msg.hwnd);
        Form* f = c ? c->ParentForm() : nullptr;
        try {
            if (f && f->PreProcessKey(msg))
                return true;
        } catch (const std::exception& e) {
            HandleException(e);
            return true;
        }
    }
    return false;
}

bool Application::HandleMessage()
{
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0))
        return false;
    if (!ProcessMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void Application::ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!ProcessMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void Application::Run()
{
    Initialize();
    if (mainForm_) {
        // The taskbar button carries the main form's icon.
        if (HICON icon = mainForm_->Icon()) {
            SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
        ShowWindow(handle_, SW_SHOWNOACTIVATE);
        mainForm_->Show();
    }
    while (!terminated_ && HandleMessage()) {
    }
    terminated_ = true;
}

} // namespace forms
