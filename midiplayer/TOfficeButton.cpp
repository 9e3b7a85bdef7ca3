#include "TOfficeButton.h"

#include <Application.h>
#include <Form.h>

#include <algorithm>

namespace platterly {
namespace {

// One 8 x 8 checker pattern for every Down button; none until a paint needs it.
forms::Bitmap g_pattern;
// Windows 95, or NT 4.0 and later (true also when the version cannot be read).
bool g_newSystem = true;

void ComputeNewSystem()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) {
        g_newSystem = true;
        return;
    }
    g_newSystem = v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ||
                  (v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion >= 4);
}

HBITMAP Pattern()
{
    if (!g_pattern) {
        forms::WindowDC screen(nullptr);
        HBITMAP b = CreateCompatibleBitmap(screen.Get(), 8, 8);
        forms::MemoryDC dc(screen.Get());
        forms::SelectGuard g(dc.Get(), b);
        COLORREF face = GetSysColor(COLOR_BTNFACE), hi = GetSysColor(COLOR_BTNHIGHLIGHT);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                SetPixel(dc.Get(), x, y, ((x % 2) == (y % 2)) ? hi : face);
        g_pattern.Reset(b);
    }
    return g_pattern.Get();
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c)
{
    forms::Pen p(CreatePen(PS_SOLID, 1, c));
    forms::SelectGuard g(dc, p.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DropMark(HDC dc, int x, int y, COLORREF c)
{
    for (int i = 0; i < 7; ++i) SetPixel(dc, x + i, y - 1, c);
    for (int i = 0; i < 5; ++i) SetPixel(dc, x + 1 + i, y, c);
    for (int i = 0; i < 3; ++i) SetPixel(dc, x + 2 + i, y + 1, c);
    SetPixel(dc, x + 3, y + 2, c);
}

COLORREF Pixel00(HBITMAP b)
{
    forms::WindowDC screen(nullptr);
    forms::MemoryDC dc(screen.Get());
    forms::SelectGuard g(dc.Get(), b);
    return GetPixel(dc.Get(), 0, 0);
}

void RemovePendingMouse()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_MOUSEMOVE, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    }
}

} // namespace

TOfficeButton::TOfficeButton(forms::Component* owner) : Control(owner)
{
    ComputeNewSystem();
    clickOnMouseUp_ = false;
    SetBounds(0, 0, 50, 40);
}

TOfficeButton::~TOfficeButton()
{
    g_pattern.Reset();
}

void TOfficeButton::Notification(forms::Component* removed)
{
    if (removed == dropDownMenu_)
        dropDownMenu_ = nullptr;
}

void TOfficeButton::SetBitmap(HBITMAP b)
{
    bitmap_.Reset(b);
    MakeGreyed();
    Invalidate();
}

void TOfficeButton::SetNoFocusBitmap(HBITMAP b)
{
    noFocusBitmap_.Reset(b);
    MakeGreyed();
    Invalidate();
}

void TOfficeButton::SetDisabledBitmap(HBITMAP b)
{
    disabledBitmap_.Reset(b);
    if (!Enabled())
        Invalidate();
}

void TOfficeButton::SetDropDownMenu(forms::PopupMenu* m)
{
    dropDownMenu_ = m;
    if (options_ & boPopupMark)
        Invalidate();
}

void TOfficeButton::SetShadingType(TExplorerButtonShadingType s)
{
    if (s == shadingType_)
        return;
    shadingType_ = s;
    MakeGreyed();
    Invalidate();
}

// The greyed glyph: each pixel that is not the transparent colour becomes white, highlight,
// shadow or black by the sum of its components.
void TOfficeButton::MakeGreyed()
{
    greyed_.Reset();
    if (!bitmap_ || noFocusBitmap_)
        return;
    int d = 57, h = 231, w = 553;
    if (shadingType_ == TExplorerButtonShadingType::stLight) { d = 68; h = 127; w = 205; }
    if (shadingType_ == TExplorerButtonShadingType::stDark) { d = 175; h = 274; w = 335; }
    SIZE s = forms::BitmapSize(bitmap_.Get());
    forms::WindowDC screen(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen.Get(), s.cx, s.cy);
    forms::MemoryDC src(screen.Get()), dst(screen.Get());
    forms::SelectGuard g1(src.Get(), bitmap_.Get()), g2(dst.Get(), copy);
    BitBlt(dst.Get(), 0, 0, s.cx, s.cy, src.Get(), 0, 0, SRCCOPY);
    COLORREF transparent = GetPixel(src.Get(), 0, 0);
    for (int y = 0; y < s.cy; ++y)
        for (int x = 0; x < s.cx; ++x) {
            COLORREF c = GetPixel(src.Get(), x, y);
            if (c == transparent)
                continue;
            int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
            COLORREF out = sum > w ? RGB(255, 255, 255) : sum > h ? GetSysColor(COLOR_BTNHIGHLIGHT)
                           : sum > d ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
            SetPixel(dst.Get(), x, y, out);
        }
    greyed_.Reset(copy);
}

void TOfficeButton::SetCaption(const std::string& text)
{
    Control::SetCaption(text);
    if (options_ & boIconOnly)
        SetHint(StripAccelerators(text));
    Invalidate();
}

void TOfficeButton::SetOptions(unsigned o)
{
    options_ = o;
    std::string stripped = StripAccelerators(Caption());
    if ((o & boIconOnly) && Hint().empty()) {
        SetHint(stripped);
        SetShowHint(true);
    } else if (!(o & boIconOnly) && Hint() == stripped) {
        SetHint("");
        SetShowHint(false);
    }
    Invalidate();
}

void TOfficeButton::ForEachInGroup(void (*fn)(TOfficeButton*, TOfficeButton*), TOfficeButton* self)
{
    if (!Parent())
        return;
    for (forms::Control* c : Parent()->Controls())
        if (auto* b = dynamic_cast<TOfficeButton*>(c); b && b != self && b->groupIndex_ == groupIndex_)
            fn(b, self);
}

void TOfficeButton::SetDown(bool d)
{
    if (d == down_ || groupIndex_ == 0)
        return;
    down_ = d;
    Invalidate();
    if (d)
        ForEachInGroup([](TOfficeButton* b, TOfficeButton*) {
            if (b->down_) { b->down_ = false; b->Invalidate(); }
        }, this);
}

void TOfficeButton::SetGroupIndex(int g)
{
    if (g == groupIndex_)
        return;
    groupIndex_ = g;
    if (g == 0 && down_) {
        down_ = false;
        Invalidate();
    }
}

void TOfficeButton::SetAllowAllUp(bool a)
{
    allowAllUp_ = a;
    if (groupIndex_ != 0)
        ForEachInGroup([](TOfficeButton* b, TOfficeButton* self) { b->allowAllUp_ = self->allowAllUp_; }, this);
}

void TOfficeButton::SetEnabled(bool e)
{
    if (e == Enabled())
        return;
    Control::SetEnabled(e);
    if (groupIndex_ == 0)
        down_ = false;
    hot_ = pressed_ = false;
    Invalidate();
}

void TOfficeButton::MouseEnter()
{
    hot_ = true;
    if (!down_ && Enabled())
        Repaint();
    OnEnter(this);
}

void TOfficeButton::MouseLeave()
{
    hot_ = false;
    if (!down_ && Enabled())
        Repaint();
    OnExit(this);
}

bool TOfficeButton::CursorOver()
{
    if (!WindowHandle())
        return false;
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(WindowHandle(), &p);
    return p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
}

void TOfficeButton::LeftDown()
{
    if (forms::Form* f = ParentForm(); f && !f->Active() && f->WindowHandle())
        SetForegroundWindow(f->WindowHandle());
    if (!Enabled() || !Visible())
        return;
    pressed_ = hot_ = true;
    Repaint();
    if (!dropDownMenu_) {
        SetCapture(WindowHandle());
        return;
    }
    POINT p{0, Height()};
    ::ClientToScreen(WindowHandle(), &p);
    forms::MenuItem* chosen = dropDownMenu_->Track(p.x, p.y);
    RemovePendingMouse();
    if (HWND cap = GetCapture())
        SendMessageA(cap, WM_CANCELMODE, 0, 0);
    hot_ = CursorOver();
    pressed_ = false;
    Repaint();
    if (chosen)
        chosen->Click();
}

void TOfficeButton::LeftUp()
{
    if (!Enabled() || !Visible() || !pressed_)
        return;
    pressed_ = false;
    if (hot_ && groupIndex_ != 0) {
        if (!down_) {
            ForEachInGroup([](TOfficeButton* b, TOfficeButton*) {
                if (b->down_) { b->down_ = false; b->Repaint(); }
            }, this);
            down_ = true;
        } else if (allowAllUp_) {
            down_ = false;
        }
    }
    if (GetCapture() == WindowHandle())
        ReleaseCapture();
    if (!hot_)
        return;
    hot_ = CursorOver();
    Repaint();
    if (!dropDownMenu_)
        Click();
}

bool TOfficeButton::DialogChar(char ch)
{
    if (!ch || forms::AcceleratorOf(Caption()) != ch || !Enabled() || !Showing())
        return false;
    hot_ = true;
    pressed_ = false;
    Repaint();
    forms::Application::Instance().ProcessMessages();
    LeftDown();
    forms::Application::Instance().ProcessMessages();
    LeftUp();
    forms::Application::Instance().ProcessMessages();
    if (!CursorOver()) {
        hot_ = false;
        Repaint();
    }
    return true;
}

LRESULT TOfficeButton::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        LeftDown();
        return 0;
    case WM_LBUTTONUP:
        LeftUp();
        return 0;
    case WM_MOUSEMOVE:
        if (pressed_ && GetCapture() == WindowHandle()) {
            int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
            bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
            if (over != hot_) {
                hot_ = over;
                Repaint();
            }
        }
        break;
    case WM_RBUTTONUP: {
        LRESULT r = Control::WndProc(msg, wp, lp);
        forms::Form* f = ParentForm();
        if (GetPopupMenu() || (f && f->GetPopupMenu())) {
            RemovePendingMouse();
            if (HWND cap = GetCapture())
                SendMessageA(cap, WM_CANCELMODE, 0, 0);
            hot_ = CursorOver();
            pressed_ = false;
            Repaint();
        }
        return r;
    }
    case WM_CAPTURECHANGED:
        break;
    default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
}

void TOfficeButton::Paint(HDC target)
{
    if (!Visible())
        return;
    const int w = Width(), h = Height();
    forms::MemoryDC dc(target);
    forms::Bitmap canvas(CreateCompatibleBitmap(target, w, h));
    forms::SelectGuard cg(dc.Get(), canvas.Get());
    RECT all{0, 0, w, h};
    if (down_ && showDownPattern_) {
        forms::Brush pb(CreatePatternBrush(Pattern()));
        FillRect(dc.Get(), &all, pb.Get());
    } else {
        forms::Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        FillRect(dc.Get(), &all, face.Get());
    }
    forms::SelectGuard fg(dc.Get(), GetFont().Handle());
    UINT alignFlag = alignment_ == TextAlign::taLeftJustify ? DT_LEFT
                     : alignment_ == TextAlign::taRightJustify ? DT_RIGHT : DT_CENTER;
    std::string caption = Caption().substr(0, 255);
    bool hasText = !(options_ & boIconOnly) && !caption.empty();
    ButtonLayoutInput in;
    in.width = w;
    in.height = h;
    if (hasText) {
        std::string measure = wordWrap_ ? caption + " " : caption;
        RECT r{0, 0, w - 4, 0};
        DrawTextA(dc.Get(), measure.c_str(), -1, &r, DT_CALCRECT | alignFlag | (wordWrap_ ? DT_WORDBREAK : 0));
        in.textWidth = r.right - r.left;
        in.textHeight = r.bottom - r.top;
    }
    SIZE bs = forms::BitmapSize(bitmap_.Get());
    in.glyphWidth = bs.cx;
    in.glyphHeight = bs.cy;
    in.popupMark = (options_ & boPopupMark) && dropDownMenu_;
    in.wordWrap = wordWrap_;
    in.layout = layout_;
    in.alignment = alignment_;
    ButtonLayoutResult L = LayoutButton(in);
    RECT textRect{L.tx, L.ty, L.tx + L.tw, L.ty + L.th};

    COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
    auto frame = [&](COLORREF first, COLORREF second) {
        if (!(options_ & boShowBevel))
            return;
        Line(dc.Get(), 0, h - 1, 0, 0, first);
        Line(dc.Get(), 0, 0, w - 1, 0, first);
        Line(dc.Get(), w - 1, 0, w - 1, h - 1, second);
        Line(dc.Get(), w - 1, h - 1, 0, h - 1, second);
        SetPixel(dc.Get(), 0, h - 1, second);
    };
    bool raised = bevelStyle_ == TBevelStyle::bsRaised;
    auto pressedFrame = [&] { raised ? frame(sh, hi) : frame(hi, sh); };
    auto raisedFrame = [&] { raised ? frame(hi, sh) : frame(sh, hi); };
    UINT textFlags = alignFlag | (wordWrap_ ? DT_WORDBREAK : 0);
    auto drawText = [&](RECT r, COLORREF color) {
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), color);
        if (g_newSystem)
            DrawTextExA(dc.Get(), const_cast<char*>(caption.c_str()), -1, &r, textFlags | DT_END_ELLIPSIS, nullptr);
        else
            DrawTextA(dc.Get(), caption.c_str(), -1, &r, textFlags);
    };
    COLORREF fontColor = forms::ColorToRGB(GetFont().GetColor());
    COLORREF transparent = bitmap_ ? Pixel00(bitmap_.Get()) : 0;

    if (!Enabled()) {
        if (down_)
            pressedFrame();
        if (disabledBitmap_) {
            SIZE ds = forms::BitmapSize(disabledBitmap_.Get());
            forms::DrawTransparent(dc.Get(), L.gx, L.gy, disabledBitmap_.Get(), 0, 0, ds.cx, ds.cy,
                                   Pixel00(disabledBitmap_.Get()));
        } else if (bitmap_) {
            forms::DrawEmbossed(dc.Get(), L.gx, L.gy, bitmap_.Get(), 0, 0, bs.cx, bs.cy, transparent);
        }
        if (hasText) {
            RECT r = textRect;
            OffsetRect(&r, 1, 1);
            drawText(r, hi);
            drawText(textRect, sh);
        }
    } else if ((hot_ && pressed_) || down_) {
        pressedFrame();
        RECT r = textRect;
        if (raised)
            OffsetRect(&r, 1, 1);
        if (hasText)
            drawText(r, fontColor);
        if (bitmap_)
            forms::DrawTransparent(dc.Get(), L.gx + 1, L.gy + 1, bitmap_.Get(), 0, 0, bs.cx, bs.cy, transparent);
        if (in.popupMark) {
            if (bitmap_) DropMark(dc.Get(), L.gx + bs.cx + 4, L.gy + bs.cy / 2 + 1, fontColor);
            else DropMark(dc.Get(), L.tx + L.tw + 4, L.ty + L.th / 2 + 1, fontColor);
        }
    } else {
        if (hot_)
            raisedFrame();
        COLORREF color = hot_ ? fontColor : forms::ColorToRGB(unselectedFontColor_);
        RECT r = textRect;
        if (!raised)
            OffsetRect(&r, 1, 1);
        if (hasText)
            drawText(r, color);
        HBITMAP glyph = (hot_ || !(options_ & boMonoDisplay)) ? bitmap_.Get()
                        : noFocusBitmap_ ? noFocusBitmap_.Get() : greyed_.Get();
        if (bitmap_ && glyph) {
            SIZE gs = forms::BitmapSize(glyph);
            forms::DrawTransparent(dc.Get(), L.gx, L.gy, glyph, 0, 0, gs.cx, gs.cy, Pixel00(glyph));
        }
        if (in.popupMark) {
            if (bitmap_) DropMark(dc.Get(), L.gx + bs.cx + 3, L.gy + bs.cy / 2, color);
            else DropMark(dc.Get(), L.tx + L.tw + 3, L.ty + L.th / 2, color);
        }
    }
    BitBlt(target, 0, 0, w, h, dc.Get(), 0, 0, SRCCOPY);
}

} // namespace platterly
