#include "Form.h"

#include "Application.h"
#include "GlyphButton.h"
#include "Menu.h"
#include "RadioGroup.h"
#include "Screen.h"
#include "TabOrder.h"

#include <commctrl.h>

#include <algorithm>

namespace forms {

Form::Form(Component* owner) : Control(owner)
{
    visible_ = false;
    SetLoading(true);
    left_ = CW_USEDEFAULT;
    top_ = CW_USEDEFAULT;
    width_ = 320;
    height_ = 240;
}

Form::~Form()
{
    Application::Instance().FormDestroyed(this);
    // The components go while the window still exists, so their windows die before ours.
    DestroyComponents();
    if (tooltip_)
        DestroyWindow(tooltip_);
    DestroyHandle();
}

void Form::Loaded() { Control::Loaded(); }

void Form::Free()
{
    // OnDestroy runs while the whole object (and its handlers' object) still exists.
    OnDestroy(this);
    delete this;
}

void Form::DoCreate()
{
    created_ = true;
    OnCreate(this);
}

void Form::GetWindowParams(WindowParams& p)
{
    DWORD style = WS_CLIPCHILDREN;
    DWORD ex = 0;
    switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_BORDER; break;
    case bsSizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION; ex |= WS_EX_DLGMODALFRAME; break;
    case bsToolWindow: style |= WS_POPUP | WS_CAPTION; ex |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: style |= WS_POPUP | WS_CAPTION | WS_THICKFRAME; ex |= WS_EX_TOOLWINDOW; break;
    }
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
        if (borderStyle_ == bsDialog && (borderIcons_ & biHelp))
            ex |= WS_EX_CONTEXTHELP;
    }
    if (!enabled_)
        style |= WS_DISABLED;
    if (formStyle_ == fsStayOnTop)
        ex |= WS_EX_TOPMOST;
    p.style = style;
    p.exStyle = ex;
}

HWND Form::ParentWindow()
{
    // The main form (the first one made) is owned by the application window, which so holds
    // the program's only taskbar button; the other forms are owned by the main form.
    Form* main = Application::Instance().MainForm();
    return main && main != this ? main->WindowHandle() : Application::Instance().Handle();
}

void Form::HandleCreated()
{
    if (icon_)
        SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    for (const auto& [tool, text] : tips_)
        SetToolHint(tool, text);
}

void Form::SetToolHint(HWND tool, const std::string& text)
{
    if (!text.empty())
        tips_[tool] = text;
    else
        tips_.erase(tool);
    if (!tooltip_)
        return;
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = handle_;
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (text.empty())
        return;
    ti.lpszText = const_cast<char*>(tips_[tool].c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(tooltip_, TTM_ACTIVATE, Application::Instance().ShowHint(), 0);
}

void Form::SetBorderStyle(BorderStyle s)
{
    if (s == borderStyle_)
        return;
    RECT client = ClientRect();
    borderStyle_ = s;
    SetClientSize(client.right, client.bottom);
    RecreateWnd();
}

void Form::SetBorderIcons(unsigned icons)
{
    borderIcons_ = icons;
    RecreateWnd();
}

void Form::SetClientSize(int width, int height)
{
    WindowParams p;
    GetWindowParams(p);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
    SetBounds(left_, top_, r.right - r.left, r.bottom - r.top);
}

RECT Form::ClientRect() const
{
    RECT r{0, 0, 0, 0};
    if (handle_) {
        GetClientRect(handle_, &r);
        return r;
    }
    WindowParams p;
    const_cast<Form*>(this)->GetWindowParams(p);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, p.style, FALSE, p.exStyle);
    return RECT{0, 0, width_ - (frame.right - frame.left), height_ - (frame.bottom - frame.top)};
}

void Form::SetIcon(HICON icon)
{
    icon_ = icon;
    if (handle_) {
        SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void Form::PlaceOnScreen()
{
    if (position_ == poScreenCenter)
        SetBounds((Screen::Instance().Width() - width_) / 2, (Screen::Instance().Height() - height_) / 2,
                  width_, height_);
    else if (left_ == CW_USEDEFAULT)
        SetBounds(0, 0, width_, height_);
}

void Form::SetVisible(bool v)
{
    if (!v && !visible_)
        return;
    if (v && visible_ && handle_ && IsWindowVisible(handle_)) {
        // Shown again while it shows: the user asked for it, so it comes to the front and
        // takes the keyboard.
        if (IsIconic(handle_))
            ShowWindow(handle_, SW_RESTORE);
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(handle_);
        FocusActiveControl();
        return;
    }
    visible_ = v;
    HWND w = Handle();
    if (v) {
        PlaceOnScreen();
        // The form's content is in place before the user sees it and the keyboard enters it.
        OnShow(this);
        ShowWindow(w, SW_SHOW);
        SetForegroundWindow(w);
        FocusActiveControl();
    } else {
        ShowWindow(w, SW_HIDE);
        OnHide(this);
    }
}

bool Form::Active() const { return handle_ && GetActiveWindow() == handle_; }

void Form::SetActiveControl(Control* c)
{
    activeControl_ = c;
    if (c && handle_ && IsWindowVisible(handle_))
        c->SetFocus();
}

namespace {

void CollectTabItems(const Control* parent, int parentIndex, std::vector<TabItem>& items,
                     std::vector<Control*>& controls)
{
    const auto& list = parent->TabList();
    for (size_t i = 0; i < list.size(); ++i) {
        Control* c = list[i];
        const int index = static_cast<int>(items.size());
        items.push_back(TabItem{parentIndex, static_cast<int>(i), c->TabStop(),
                                c->Visible() && c->HandleAllocated(), c->Enabled()});
        controls.push_back(c);
        CollectTabItems(c, index, items, controls);
    }
}

} // namespace

Control* Form::FindNextControl(Control* current, bool forward)
{
    std::vector<TabItem> items;
    std::vector<Control*> controls;
    CollectTabItems(this, -1, items, controls);
    auto at = std::find(controls.begin(), controls.end(), current);
    const int next = NextTabStop(items, at == controls.end() ? -1 : static_cast<int>(at - controls.begin()), forward);
    return next < 0 ? nullptr : controls[static_cast<size_t>(next)];
}

bool Form::SelectNext(bool forward)
{
    Control* current = Control::FindControl(GetFocus());
    Control* next = FindNextControl(current, forward);
    if (!next)
        return false;
    activeControl_ = next;
    next->SetFocus();
    return true;
}

bool Form::FocusActiveControl()
{
    Control* target = activeControl_;
    if (!target || !target->CanFocus() || target->ParentForm() != this)
        target = FindNextControl(nullptr, true);
    if (!target)
        return false;
    activeControl_ = target;
    target->SetFocus();
    return true;
}

// The button of a form that has one button only, when that button is of the OK kind.
GlyphButton* Form::OnlyOkButton()
{
    GlyphButton* found = nullptr;
    int buttons = 0;
    std::vector<Control*> pending(Controls().begin(), Controls().end());
    while (!pending.empty()) {
        Control* c = pending.back();
        pending.pop_back();
        if (!c->Showing())
            continue;
        if (auto* b = dynamic_cast<GlyphButton*>(c)) {
            found = b;
            ++buttons;
        }
        pending.insert(pending.end(), c->Controls().begin(), c->Controls().end());
    }
    return buttons == 1 && found->Kind() == bkOK && found->Enabled() ? found : nullptr;
}

void Form::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    bool canClose = true;
    OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    CloseAction action = this == Application::Instance().MainForm() ? caFree : caHide;
    OnClose(this, action);
    if (action == caNone)
        return;
    if (this == Application::Instance().MainForm()) {
        Hide();
        Application::Instance().Terminate();
        return;
    }
    if (action == caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

int Form::ShowModal()
{
    if (modal_ || Visible())
        throw EInvalidOperation("Cannot make a visible window modal");
    Application& app = Application::Instance();
    std::vector<HWND> disabled;
    for (Form* f : app.Forms())
        if (f != this && f->WindowHandle() && IsWindowEnabled(f->WindowHandle()) &&
            IsWindowVisible(f->WindowHandle())) {
            EnableWindow(f->WindowHandle(), FALSE);
            disabled.push_back(f->WindowHandle());
        }
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    bool quit = false;
    while (modalResult_ == mrNone && !app.Terminated()) {
        if (!app.HandleMessage()) {
            quit = true;
            break;
        }
    }
    modal_ = false;
    for (HWND w : disabled)
        if (IsWindow(w))
            EnableWindow(w, TRUE);
    Hide();
    if (quit)
        PostQuitMessage(0);
    return modalResult_;
}

bool Form::IsShortCut(WORD key, unsigned shift)
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<Menu*>(Components(i)))
            if (menu->IsShortCut(key, shift))
                return true;
    return false;
}

bool Form::PreProcessKey(const MSG& msg)
{
    switch (msg.message) {
    case WM_SYSCHAR: {
        char ch = static_cast<char>(reinterpret_cast<ULONG_PTR>(
            CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<unsigned char>(msg.wParam))))));
        return DialogChar(ch);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(msg.wParam);
        if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
            return false;
        const unsigned shift = KeyboardShift();
        if (IsShortCut(key, shift))
            return true;
        if (msg.message == WM_KEYDOWN && key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
            // A control that takes Tab as input (none of ours does) keeps it.
            MSG copy = msg;
            const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
            if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
                return false;
            SelectNext(!(shift & ssShift));
            return true;
        }
        if (msg.message == WM_KEYDOWN && (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) &&
            !(shift & (ssCtrl | ssAlt)))
            if (auto* group = dynamic_cast<RadioGroup*>(Control::FindControl(msg.hwnd))) {
                group->ArrowKey(msg.hwnd, key == VK_RIGHT || key == VK_DOWN);
                return true;
            }
        if (msg.message == WM_KEYDOWN && key == VK_RETURN) {
            // Enter presses the button the user tabbed to; elsewhere the default button.
            auto* focused = dynamic_cast<GlyphButton*>(Control::FindControl(msg.hwnd));
            GlyphButton* pressed = focused && focused->Showing() && focused->Enabled() ? focused : defaultButton_;
            if (pressed && pressed->Showing() && pressed->Enabled()) {
                pressed->Click();
                return true;
            }
        }
        if (msg.message == WM_KEYDOWN && key == VK_ESCAPE && cancelButton_ &&
            cancelButton_->Showing() && cancelButton_->Enabled()) {
            cancelButton_->Click();
            return true;
        }
        // A form whose one button is OK (an About box, say) has nothing to cancel: Escape
        // closes it as OK does.
        if (msg.message == WM_KEYDOWN && key == VK_ESCAPE && !cancelButton_)
            if (GlyphButton* ok = OnlyOkButton()) {
                ok->Click();
                if (!modal_)
                    Close();
                return true;
            }
        return false;
    }
    default:
        return false;
    }
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        // The main form is minimised through the application window that owns the taskbar button.
        if ((wp & 0xFFF0) == SC_MINIMIZE && this == Application::Instance().MainForm() &&
            Application::Instance().Handle()) {
            Application::Instance().Minimize();
            return 0;
        }
        break;
    case WM_SIZE: {
        RECT r;
        GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        Realign();
        Resized();
        break;
    }
    case WM_MOVE: {
        RECT r;
        GetWindowRect(handle_, &r);
        left_ = r.left;
        top_ = r.top;
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) {
            OnActivate(this);
        } else if (Control* c = Control::FindControl(GetFocus()); c && c != this && c->ParentForm() == this) {
            // Where the user leaves the form is where the keyboard comes back to; a radio
            // button's focus reaches no control of ours but is seen here.
            activeControl_ = c;
        }
        break;
    case WM_FONTCHANGE:
        // The system tells top-level windows only; font lists inside the form must hear it too.
        for (Control* c : Controls())
            PassFontChange(c, wp, lp);
        break;
    case WM_SETFOCUS:
        if (FocusActiveControl())
            return 0;
        break;
    default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
}

void Form::SetFormStyle(FormStyle s)
{
    if (s == formStyle_)
        return;
    formStyle_ = s;
    // Wine ignores a move to the top-most band while the window is hidden; a window created
    // with the style keeps it.
    if (handle_ && !IsWindowVisible(handle_))
        RecreateWnd();
    else if (handle_)
        SetWindowPos(handle_, s == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::ShowNoActivate()
{
    HWND w = Handle();
    bool wasShowing = visible_ && IsWindowVisible(w);
    visible_ = true;
    PlaceOnScreen();
    SetWindowPos(w, formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!wasShowing)
        OnShow(this);
}

void Form::PassFontChange(Control* control, WPARAM wp, LPARAM lp)
{
    if (control->WindowHandle())
        SendMessageA(control->WindowHandle(), WM_FONTCHANGE, wp, lp);
    for (Control* c : control->Controls())
        PassFontChange(c, wp, lp);
}

} // namespace forms
