#include "Control.h"

#include "Application.h"
#include "DragManager.h"
#include "Form.h"
#include "Menu.h"
#include "Screen.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

namespace forms {
namespace {

const char kPaintedClass[] = "FormsControl";

std::unordered_map<HWND, Control*>& HandleMap()
{
    static std::unordered_map<HWND, Control*> map;
    return map;
}

std::unordered_map<UINT, Control*>& IdMap()
{
    static std::unordered_map<UINT, Control*> map;
    return map;
}

UINT NextId()
{
    static UINT next = 1000;
    while (IdMap().count(next) || next < 1000)
        ++next;
    return next++;
}

// The control whose window is being created, so its first messages reach it.
Control* g_creating = nullptr;

void RegisterPaintedClass(WNDPROC proc)
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kPaintedClass;
    RegisterClassA(&wc);
    done = true;
}

} // namespace

unsigned ShiftFromKeys(WPARAM keys)
{
    unsigned s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

unsigned KeyboardShift()
{
    unsigned s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

char AcceleratorOf(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(
            static_cast<ULONG_PTR>(static_cast<unsigned char>(caption[i + 1]))))));
    }
    return 0;
}

Control::Control(Component* owner) : Component(owner) {}

Control::~Control()
{
    DragManager::Instance().ControlDestroyed(this);
    Application::Instance().ControlDestroyed(this);
    // A form must not hand the focus back to a control that is gone.
    if (Form* f = ParentForm(); f && f->activeControl_ == this)
        f->activeControl_ = nullptr;
    // Children go with their window; the owner frees their objects.
    for (Control* c : children_)
        c->parent_ = nullptr;
    children_.clear();
    tabList_.clear();
    DestroyHandle();
    if (parent_)
        parent_->RemoveChild(this);
}

Form* Control::ParentForm()
{
    Control* c = this;
    while (c) {
        if (auto* f = dynamic_cast<Form*>(c))
            return f;
        c = c->parent_;
    }
    return nullptr;
}

void Control::SetParent(Control* parent)
{
    if (parent == parent_)
        return;
    if (parent_) {
        DestroyHandle();
        parent_->RemoveChild(this);
    }
    parent_ = parent;
    if (parent_) {
        parent_->AddChild(this);
        if (parentFont_)
            font_ = parent_->GetFont();
        CreateWnd();
        parent_->Realign();
    }
}

void Control::AddChild(Control* c)
{
    children_.push_back(c);
    tabList_.push_back(c);
}

void Control::RemoveChild(Control* c)
{
    children_.erase(std::remove(children_.begin(), children_.end(), c), children_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
    Realign();
}

int Control::TabOrder() const
{
    if (!parent_)
        return -1;
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void Control::SetTabOrder(int order)
{
    if (!parent_)
        return;
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void Control::SetTabStop(bool s)
{
    tabStop_ = s;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
        SetWindowLongPtrA(handle_, GWL_STYLE, s ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    }
}

HWND Control::ParentWindow() { return parent_ ? parent_->Handle() : nullptr; }

void Control::GetWindowParams(WindowParams& p)
{
    p.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_)
        p.style |= WS_VISIBLE;
    if (!enabled_)
        p.style |= WS_DISABLED;
    if (tabStop_)
        p.style |= WS_TABSTOP;
}

void Control::CreateWnd()
{
    if (handle_)
        return;
    HWND parentWnd = ParentWindow();
    // Making the parent's window may have made ours already, as one of its children.
    if (handle_ || (parent_ && !parentWnd))
        return;
    WindowParams p;
    GetWindowParams(p);
    RegisterPaintedClass(&Control::WindowProc);
    if (!id_) {
        id_ = NextId();
        IdMap()[id_] = this;
    }
    bool child = (p.style & WS_CHILD) != 0;
    g_creating = p.ownClass() ? this : nullptr;
    HWND wnd = CreateWindowExA(p.exStyle, p.ownClass() ? kPaintedClass : p.className.c_str(),
                               caption_.c_str(), p.style, left_, top_, width_, height_, parentWnd,
                               child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id_)) : nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    g_creating = nullptr;
    if (!wnd)
        throw Exception("Cannot create the window of " + Name());
    if (!handle_) {
        Attach(wnd);
        if (!p.ownClass())
            oldProc_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::WindowProc)));
    }
    // A later control lies above the earlier ones, as the user reads a form.
    if (child)
        SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    HandleCreated();
    for (Control* c : children_)
        c->CreateWnd();
    UpdateHintTool();
    Realign();
}

void Control::Attach(HWND wnd)
{
    handle_ = wnd;
    HandleMap()[wnd] = this;
}

void Control::Detach()
{
    if (!handle_)
        return;
    if (oldProc_) {
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        oldProc_ = nullptr;
    }
    HandleMap().erase(handle_);
    handle_ = nullptr;
}

void Control::DestroyHandle()
{
    if (handle_) {
        HWND wnd = handle_;
        DestroyWindow(wnd);
        if (handle_ == wnd)
            Detach();
    }
    if (id_) {
        IdMap().erase(id_);
        id_ = 0;
    }
}

void Control::RecreateWnd()
{
    if (!handle_)
        return;
    // The children's windows go with ours; each is created again below.
    DestroyHandle();
    CreateWnd();
}

HWND Control::Handle()
{
    if (!handle_)
        CreateWnd();
    return handle_;
}

Control* Control::FromHandle(HWND wnd)
{
    auto it = HandleMap().find(wnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

Control* Control::FindControl(HWND wnd)
{
    while (wnd) {
        if (Control* c = FromHandle(wnd))
            return c;
        wnd = GetParent(wnd);
    }
    return nullptr;
}

RECT Control::ClientRect() const { return RECT{0, 0, width_, height_}; }

void Control::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool sized = width != width_ || height != height_;
    left_ = left; top_ = top; width_ = width; height_ = height;
    if (handle_)
        SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    if (parent_ && align_ != alNone)
        parent_->Realign();
    if (sized) {
        Realign();
        Resized();
    }
}

void Control::SetAlign(Align a)
{
    if (a == align_)
        return;
    align_ = a;
    if (parent_)
        parent_->Realign();
}

// Aligned children take the edges of the client area in creation order: top, bottom, left,
// right, then one client-filling control gets what is left.
void Control::Realign()
{
    if (aligning_)
        return;
    aligning_ = true;
    RECT r = ClientRect();
    const Align order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (Align a : order) {
        for (Control* c : children_) {
            if (c->align_ != a || !c->visible_)
                continue;
            int w = c->width_, h = c->height_;
            switch (a) {
            case alTop: c->SetBounds(r.left, r.top, r.right - r.left, h); r.top += h; break;
            case alBottom: c->SetBounds(r.left, r.bottom - h, r.right - r.left, h); r.bottom -= h; break;
            case alLeft: c->SetBounds(r.left, r.top, w, r.bottom - r.top); r.left += w; break;
            case alRight: c->SetBounds(r.right - w, r.top, w, r.bottom - r.top); r.right -= w; break;
            case alClient: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
            case alNone: break;
            }
        }
    }
    aligning_ = false;
}

void Control::SetVisible(bool v)
{
    if (v == visible_)
        return;
    visible_ = v;
    if (handle_)
        ShowWindow(handle_, v ? SW_SHOWNA : SW_HIDE);
    if (parent_ && align_ != alNone)
        parent_->Realign();
}

bool Control::Showing() const
{
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void Control::SetEnabled(bool e)
{
    if (e == enabled_)
        return;
    enabled_ = e;
    if (handle_) {
        EnableWindow(handle_, e);
        Invalidate();
    }
}

void Control::SetCaption(const std::string& text)
{
    if (text == caption_)
        return;
    caption_ = text;
    if (handle_) {
        SetWindowTextA(handle_, caption_.c_str());
        Invalidate();
    }
}

void Control::SetHint(const std::string& h)
{
    hint_ = h;
    UpdateHintTool();
}

void Control::SetShowHint(bool s)
{
    showHint_ = s;
    UpdateHintTool();
}

void Control::UpdateHintTool()
{
    if (!handle_)
        return;
    if (Form* f = ParentForm(); f && f != this)
        f->SetToolHint(handle_, showHint_ ? hint_ : std::string());
}

const Font& Control::GetFont() const { return font_; }

void Control::SetFont(const Font& f)
{
    font_ = f;
    parentFont_ = false;
    FontChanged();
    ApplyFontToChildren();
}

void Control::ApplyFontToChildren()
{
    for (Control* c : children_) {
        if (!c->parentFont_)
            continue;
        c->font_ = font_;
        c->FontChanged();
        c->ApplyFontToChildren();
    }
}

void Control::FontChanged()
{
    if (handle_) {
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
        Invalidate();
    }
}

void Control::SetColor(Color c)
{
    color_ = c;
    brush_.Reset();
    Invalidate();
}

HBRUSH Control::BackgroundBrush()
{
    if (!brush_)
        brush_.Reset(CreateSolidBrush(ColorToRGB(color_)));
    return brush_.Get();
}

void Control::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void Control::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void Control::Repaint()
{
    Invalidate();
    Update();
}

void Control::BringToFront()
{
    if (handle_)
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

POINT Control::ClientToScreen(POINT p)
{
    if (HWND w = Handle())
        ::ClientToScreen(w, &p);
    return p;
}

POINT Control::ScreenToClient(POINT p)
{
    if (HWND w = Handle())
        ::ScreenToClient(w, &p);
    return p;
}

bool Control::Focused() const { return handle_ && GetFocus() == handle_; }

bool Control::CanFocus() const { return handle_ && Showing() && enabled_; }

void Control::SetFocus()
{
    if (CanFocus())
        ::SetFocus(FocusWindow());
}

LRESULT Control::Perform(UINT msg, WPARAM wp, LPARAM lp)
{
    return handle_ ? SendMessageA(handle_, msg, wp, lp) : 0;
}

bool Control::CoveredBySibling() const
{
    if (!parent_)
        return false;
    const auto& sib = parent_->children_;
    auto me = std::find(sib.begin(), sib.end(), this);
    if (me == sib.end())
        return false;
    for (auto it = me + 1; it != sib.end(); ++it) {
        const Control* s = *it;
        if (s->visible_ && s->left_ <= left_ && s->top_ <= top_ &&
            s->left_ + s->width_ >= left_ + width_ && s->top_ + s->height_ >= top_ + height_)
            return true;
    }
    return false;
}

bool Control::DialogChar(char ch)
{
    for (Control* c : children_)
        if (c->visible_ && c->enabled_ && c->DialogChar(ch))
            return true;
    return false;
}

void Control::Click() { OnClick(this); }
void Control::DblClick() { OnDblClick(this); }
void Control::MouseEnter() { OnMouseEnter(this); }
void Control::MouseLeave() { OnMouseLeave(this); }

void Control::DragOver(Control* source, int x, int y, DragState state, bool& accept)
{
    accept = static_cast<bool>(OnDragOver);
    OnDragOver(this, source, x, y, state, accept);
}

void Control::DragDrop(Control* source, int x, int y) { OnDragDrop(this, source, x, y); }

void Control::BeginDrag(bool immediate) { DragManager::Instance().BeginDrag(this, immediate); }

void Control::MouseDown(MouseButton b, unsigned shift, int x, int y)
{
    OnMouseDown(this, b, shift, x, y);
}

void Control::MouseUp(MouseButton b, unsigned shift, int x, int y)
{
    OnMouseUp(this, b, shift, x, y);
}

void Control::MouseMove(unsigned shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void Control::Resized() { OnResize(this); }

void Control::Paint(HDC) {}

void Control::EraseBackground(HDC dc)
{
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(dc, &r, BackgroundBrush());
}

HBRUSH Control::ControlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(font_.GetColor()));
    SetBkColor(dc, ColorToRGB(color_));
    return BackgroundBrush();
}

bool Control::Reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT Control::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp)
{
    if (oldProc_)
        return CallWindowProcA(oldProc_, handle_, msg, wp, lp);
    return DefWindowProcA(handle_, msg, wp, lp);
}

LRESULT CALLBACK Control::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Control* c = FromHandle(wnd);
    if (!c && g_creating) {
        c = g_creating;
        g_creating = nullptr;
        c->Attach(wnd);
    }
    if (!c)
        return DefWindowProcA(wnd, msg, wp, lp);
    LRESULT result = 0;
    Application::Instance().Guard([&] { result = c->Dispatch(msg, wp, lp); });
    return result;
}

LRESULT Control::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCDESTROY) {
        WNDPROC old = oldProc_;
        HWND wnd = handle_;
        Detach();
        return old ? CallWindowProcA(old, wnd, msg, wp, lp) : DefWindowProcA(wnd, msg, wp, lp);
    }
    return WndProc(msg, wp, lp);
}

LRESULT Control::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    bool painted = oldProc_ == nullptr;
    switch (msg) {
    case WM_COMMAND:
        if (lp) {
            if (Control* child = FromHandle(reinterpret_cast<HWND>(lp))) {
                LRESULT r = 0;
                if (child->Reflected(msg, wp, lp, r))
                    return r;
            }
        } else if (HIWORD(wp) == 0 || HIWORD(wp) == 1) {
            if (MenuItem::DispatchCommand(LOWORD(wp)))
                return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (Control* child = FromHandle(hdr->hwndFrom)) {
            LRESULT r = 0;
            if (child->Reflected(msg, wp, lp, r))
                return r;
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lp)
            if (Control* child = FromHandle(reinterpret_cast<HWND>(lp))) {
                LRESULT r = 0;
                if (child->Reflected(msg, wp, lp, r))
                    return r;
            }
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        Control* child = dis->CtlType == ODT_MENU ? nullptr : FromHandle(dis->hwndItem);
        if (child) {
            LRESULT r = 0;
            if (child->Reflected(msg, wp, lp, r))
                return r;
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (mis->CtlType != ODT_MENU) {
            auto it = IdMap().find(mis->CtlID);
            if (it != IdMap().end()) {
                LRESULT r = 0;
                if (it->second->Reflected(msg, wp, lp, r))
                    return r;
            }
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSCROLLBAR:
        if (Control* child = FromHandle(reinterpret_cast<HWND>(lp)))
            return reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(wp)));
        break;
    case WM_ERASEBKGND:
        if (painted) {
            EraseBackground(reinterpret_cast<HDC>(wp));
            return 1;
        }
        break;
    case WM_PAINT:
        if (painted) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(handle_, &ps);
            Paint(dc);
            EndPaint(handle_, &ps);
            return 0;
        }
        break;
    case WM_SIZE:
        if (painted && dynamic_cast<Form*>(this) == nullptr)
            break;
        break;
    case WM_SETCURSOR:
        if (DragManager::Instance().Dragging())
            return TRUE;
        if (LOWORD(lp) == HTCLIENT && cursor_ != crDefault) {
            ::SetCursor(Screen::Instance().Cursors(cursor_));
            return TRUE;
        }
        break;
    case WM_CONTEXTMENU:
        if (popupMenu_) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (p.x == -1 && p.y == -1) {
                p = POINT{0, 0};
                ::ClientToScreen(handle_, &p);
            }
            popupMenu_->Popup(p.x, p.y);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        MouseButton b = msg == WM_LBUTTONDOWN ? mbLeft : msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
        LRESULT r = 0;
        if (!painted)
            r = DefaultHandler(msg, wp, lp);
        if (b == mbLeft && dragMode_ == dmAutomatic) {
            POINT start{x, y};
            ::ClientToScreen(handle_, &start);
            DragManager::Instance().BeginDragAt(this, false, start);
        }
        if (painted && b == mbLeft && clickOnMouseUp_) {
            mousePressed_ = true;
            SetCapture(handle_);
        }
        MouseDown(b, ShiftFromKeys(wp), x, y);
        return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        MouseButton b = msg == WM_LBUTTONUP ? mbLeft : msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        LRESULT r = 0;
        if (!painted)
            r = DefaultHandler(msg, wp, lp);
        bool click = false;
        if (painted && b == mbLeft && mousePressed_) {
            mousePressed_ = false;
            if (GetCapture() == handle_)
                ReleaseCapture();
            click = x >= 0 && y >= 0 && x < width_ && y < height_;
        }
        MouseUp(b, ShiftFromKeys(wp), x, y);
        if (click && handle_)
            Click();
        return r;
    }
    case WM_LBUTTONDBLCLK:
        if (painted) {
            // The second press of a double-click on a painted control.
            DblClick();
            MouseDown(mbLeft, ShiftFromKeys(wp) | ssDouble, static_cast<short>(LOWORD(lp)),
                      static_cast<short>(HIWORD(lp)));
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (!painted) {
            LRESULT r = DefaultHandler(msg, wp, lp);
            MouseMove(ShiftFromKeys(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
            return r;
        }
        MouseMove(ShiftFromKeys(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        return 0;
    case WM_CAPTURECHANGED:
        if (painted)
            mousePressed_ = false;
        break;
    case WM_KEYDOWN: {
        WORD key = static_cast<WORD>(wp);
        OnKeyDown(this, key, KeyboardShift());
        if (key == 0)
            return 0;
        break;
    }
    case WM_GETDLGCODE:
        break;
    case WM_SETFOCUS:
        // The form gives the focus back here when it is activated again.
        if (Form* f = ParentForm(); f && f != this)
            f->activeControl_ = this;
        break;
    default:
        break;
    }
    return DefaultHandler(msg, wp, lp);
}

} // namespace forms
