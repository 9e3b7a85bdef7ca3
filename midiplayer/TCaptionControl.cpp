#include "TCaptionControl.h"

#include <Application.h>

#include <unordered_map>

namespace platterly {
namespace {

std::unordered_map<HWND, TCaptionControl*>& Hooks()
{
    static std::unordered_map<HWND, TCaptionControl*> map;
    return map;
}

Rgb ToRgb(COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; }

bool IsToolWindow(forms::BorderStyle s) { return s == forms::bsToolWindow || s == forms::bsSizeToolWin; }

} // namespace

TCaptionControl::TCaptionControl(forms::Component* owner)
    : Component(owner), form_(dynamic_cast<forms::Form*>(owner))
{
    pressedIndex_ = -1;
    enabled_ = false;
    if (!form_)
        throw ECaptionError("Owner must be a form.");
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v) || v.dwMajorVersion < 4 || v.dwPlatformId == VER_PLATFORM_WIN32s)
        throw ECaptionError("Operating system must be Windows 95/NT 4.0 or greater.");
    active_ = false;
    maximized_ = false;
    enabled_ = true;
    hooked_ = form_->Handle();
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hooked_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCaptionControl::HookProc)));
    Hooks()[hooked_] = this;
    previousOnDestroy_ = form_->OnDestroy;
    form_->OnDestroy = forms::Bind(this, &TCaptionControl::FormDestroy);
    gradient_ = TCaptionGradient::cgNone;
    BuildColors();
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        captionFont_.Reset(CreateFontIndirectA(IsToolWindow(form_->GetBorderStyle()) ? &ncm.lfSmCaptionFont
                                                                                     : &ncm.lfCaptionFont));
    buttonWidth_ = GetSystemMetrics(SM_CXSMICON) - 2;
}

TCaptionControl::~TCaptionControl()
{
    Unhook();
}

void TCaptionControl::Notification(forms::Component* removed)
{
    if (removed == popupMenu_)
        popupMenu_ = nullptr;
}

void TCaptionControl::Unhook()
{
    if (!hooked_)
        return;
    if (IsWindow(hooked_) &&
        GetWindowLongPtrA(hooked_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TCaptionControl::HookProc))
        SetWindowLongPtrA(hooked_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    Hooks().erase(hooked_);
    hooked_ = nullptr;
}

void TCaptionControl::FormDestroy(forms::Component* sender)
{
    Unhook();
    forms::NotifyEvent prev = previousOnDestroy_;
    form_->OnDestroy = prev;
    prev(sender);
}

void TCaptionControl::BuildColors()
{
    colors_[0] = GradientTable(ToRgb(GetSysColor(COLOR_INACTIVECAPTION)));
    colors_[1] = GradientTable(ToRgb(GetSysColor(COLOR_ACTIVECAPTION)));
}

void TCaptionControl::RedrawFrame()
{
    if (hooked_)
        SetWindowPos(hooked_, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCaptionControl::SetCaptionGradient(TCaptionGradient g) { if (g != gradient_) { gradient_ = g; RedrawFrame(); } }
void TCaptionControl::SetShowButtons(bool s) { if (s != showButtons_) { showButtons_ = s; RedrawFrame(); } }
void TCaptionControl::SetButtonsDirection(TDirection d) { if (d != buttonsDirection_) { buttonsDirection_ = d; RedrawFrame(); } }
void TCaptionControl::SetEnabled(bool e) { if (e != enabled_) { enabled_ = e; RedrawFrame(); } }

void TCaptionControl::SetExStyle(DWORD bit, bool on)
{
    if (!hooked_)
        return;
    LONG_PTR ex = GetWindowLongPtrA(hooked_, GWL_EXSTYLE);
    SetWindowLongPtrA(hooked_, GWL_EXSTYLE, on ? (ex | bit) : (ex & ~static_cast<LONG_PTR>(bit)));
    RedrawFrame();
}

void TCaptionControl::SetCaptionDirection(TDirection d)
{
    if (d == captionDirection_) return;
    captionDirection_ = d;
    SetExStyle(0x1000, d == TDirection::dirRight);
}

void TCaptionControl::SetWindowDirection(TDirection d)
{
    if (!GetSystemMetrics(SM_MIDEASTENABLED) || d == windowDirection_) return;
    windowDirection_ = d;
    SetExStyle(0x4000, d == TDirection::dirRight);
}

void TCaptionControl::SetRtlReading(bool r)
{
    if (!GetSystemMetrics(SM_MIDEASTENABLED) || r == rtlReading_) return;
    rtlReading_ = r;
    SetExStyle(0x2000, r);
}

RECT TCaptionControl::CaptionRect() const
{
    RECT r{0, 0, 0, 0};
    forms::BorderStyle bs = form_->GetBorderStyle();
    if (bs == forms::bsNone || !hooked_)
        return r;
    GetWindowRect(hooked_, &r);
    OffsetRect(&r, -r.left, -r.top);
    if (bs == forms::bsSizeable || bs == forms::bsSizeToolWin)
        InflateRect(&r, -GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME));
    else
        InflateRect(&r, -GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME));
    r.bottom = r.top + GetSystemMetrics(IsToolWindow(bs) ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    return r;
}

RECT TCaptionControl::PaintCaption(HDC windowDC)
{
    RECT cap = CaptionRect();
    const int w = cap.right - cap.left, h = cap.bottom - cap.top;
    if (w <= 0 || h <= 0)
        return cap;
    forms::MemoryDC dc(windowDC);
    forms::Bitmap bmp(CreateCompatibleBitmap(windowDC, w, h));
    forms::SelectGuard bg(dc.Get(), bmp.Get());
    bool gradient = !(gradient_ == TCaptionGradient::cgNone || (gradient_ == TCaptionGradient::cgActive && !active_));
    if (!gradient) {
        forms::Brush b(CreateSolidBrush(GetSysColor(active_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
        RECT all{0, 0, w, h};
        FillRect(dc.Get(), &all, b.Get());
    } else {
        const auto& row = colors_[active_ ? 1 : 0];
        for (int i = 0; i < 64; ++i) {
            RECT band{BandEdge(i, w), 0, BandEdge(i + 1, w), h};
            const Rgb& c = row[static_cast<size_t>(i)];
            forms::Brush b(CreateSolidBrush(RGB(c.r, c.g, c.b)));
            FillRect(dc.Get(), &band, b.Get());
        }
    }
    RECT text{1, 0, w, h};
    LONG_PTR style = GetWindowLongPtrA(hooked_, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrA(hooked_, GWL_EXSTYLE);
    bool sysMenu = (style & WS_SYSMENU) != 0;
    forms::BorderStyle bs = form_->GetBorderStyle();
    if (sysMenu && (bs == forms::bsSingle || bs == forms::bsSizeable)) {
        HICON icon = form_->Icon();
        if (!icon)
            icon = LoadIconA(nullptr, IDI_APPLICATION);
        int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        forms::MemoryDC iconDC(windowDC);
        forms::Bitmap iconBmp(CreateCompatibleBitmap(windowDC, cx, cy));
        forms::SelectGuard ig(iconDC.Get(), iconBmp.Get());
        const Rgb& first = colors_[active_ ? 1 : 0][0];
        COLORREF fill = gradient ? RGB(first.r, first.g, first.b)
                                 : GetSysColor(active_ ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        forms::Brush fb(CreateSolidBrush(fill));
        RECT ir{0, 0, cx, cy};
        FillRect(iconDC.Get(), &ir, fb.Get());
        DrawIcon(iconDC.Get(), 0, 0, icon);
        SetStretchBltMode(dc.Get(), COLORONCOLOR);
        StretchBlt(dc.Get(), 1, 1, h - 2, h - 2, iconDC.Get(), 0, 0, cx, cy, SRCCOPY);
        text.left += h - 1;
    }
    RECT inner = RECT{2, 2, w - 2, h - 2};
    int right = inner.right;
    if (IsToolWindow(bs)) {
        int bw = GetSystemMetrics(SM_CXSMSIZE) - 2;
        RECT close{right - bw, inner.top, right, inner.bottom};
        DrawFrameControl(dc.Get(), &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        text.right = close.left - 2;
    } else {
        int bw = buttonWidth_;
        int x = right;
        if (sysMenu) {
            RECT close{x - bw, inner.top, x, inner.bottom};
            DrawFrameControl(dc.Get(), &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
            x = close.left;
            if (bs == forms::bsDialog && (exStyle & WS_EX_CONTEXTHELP)) {
                RECT help{x - 4 - bw, inner.top, x - 4, inner.bottom};
                DrawFrameControl(dc.Get(), &help, DFC_CAPTION, DFCS_CAPTIONHELP);
                x = help.left;
            } else if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
                RECT max{x - 2 - bw, inner.top, x - 2, inner.bottom};
                DrawFrameControl(dc.Get(), &max, DFC_CAPTION,
                                 (maximized_ ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                                 ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
                RECT min{max.left - bw, inner.top, max.left, inner.bottom};
                DrawFrameControl(dc.Get(), &min, DFC_CAPTION,
                                 DFCS_CAPTIONMIN | ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
                x = min.left;
            }
            text.right = x - 2;
        }
        if (showButtons_ && buttons_.Count() > 0) {
            int n = buttons_.Count();
            if (buttonsDirection_ == TDirection::dirRight) {
                int pos = text.right + 2;
                for (int i = 0; i < n; ++i)
                    pos -= buttons_.Items(i)->Caption == "-" ? 4 : bw + 2;
                firstButtonX_ = pos;
                text.right = pos - 2;
            } else {
                firstButtonX_ = text.left + 2;
            }
            int pos = firstButtonX_;
            for (int i = 0; i < n; ++i) {
                TCaptionButton& b = *buttons_.Items(i);
                bool last = i + 1 == n;
                if (b.Caption == "-") {
                    if (!last) pos += 2;
                    continue;
                }
                if (b.Visible) {
                    RECT face{pos, inner.top, pos + bw + 2, inner.bottom};
                    bool pushed = b.Pushed || (i == pressedIndex_ && pressedLook_ && b.Enabled);
                    DrawFrameControl(dc.Get(), &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
                    if (pushed) { face.left += 2; face.top += 2; }
                    bool drawn = false;
                    OnButtonDraw(this, i, drawn);
                    if (!drawn)
                        DrawButtonFace(dc.Get(), b, face);
                }
                if (!last) pos += bw + 2;
            }
            if (buttonsDirection_ == TDirection::dirLeft)
                text.left = pos + bw + 2 + 2;
        }
    }
    text.left += 2;
    COLORREF textColor = RGB(255, 255, 255);
    if (gradient_ == TCaptionGradient::cgNone)
        textColor = GetSysColor(active_ ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    else if (gradient_ == TCaptionGradient::cgActive && !active_)
        textColor = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    SetTextColor(dc.Get(), textColor);
    SetBkMode(dc.Get(), TRANSPARENT);
    HGDIOBJ oldFont = captionFont_ ? SelectObject(dc.Get(), captionFont_.Get()) : nullptr;
    char title[512] = {};
    GetWindowTextA(hooked_, title, sizeof title);
    std::string caption = title;
    bool drawn = false;
    OnDrawCaption(this, caption, dc.Get(), text, drawn);
    if (!drawn)
        DrawTextA(dc.Get(), caption.c_str(), -1, &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                      (captionDirection_ == TDirection::dirRight ? DT_RIGHT : DT_LEFT) |
                      (rtlReading_ ? DT_RTLREADING : 0));
    if (oldFont)
        SelectObject(dc.Get(), oldFont);
    BitBlt(windowDC, cap.left, cap.top, w, h, dc.Get(), 0, 0, SRCCOPY);
    return cap;
}

void TCaptionControl::DrawButtonFace(HDC dc, const TCaptionButton& b, RECT face)
{
    const int fw = face.right - face.left, fh = face.bottom - face.top;
    using K = TCaptionButtonKind;
    if (b.Kind == K::cbkOk || b.Kind == K::cbkRollUp || b.Kind == K::cbkRollDown || b.Kind == K::cbkWindow) {
        int m = fw * 17 / 100;
        RECT g{face.left + m, face.top + m, face.right - m - 1, face.bottom - m - 1};
        auto shape = [&](int dx, COLORREF pen, COLORREF brush) {
            forms::Pen p(CreatePen(PS_SOLID, 1, pen));
            forms::Brush br(CreateSolidBrush(brush));
            forms::SelectGuard pg(dc, p.Get()), bg(dc, br.Get());
            int L = g.left + dx, T = g.top + dx, R = g.right + dx, B = g.bottom + dx;
            switch (b.Kind) {
            case K::cbkRollUp: Rectangle(dc, L, T, R, T + m); break;
            case K::cbkRollDown: Rectangle(dc, L, T, R, T + m); Rectangle(dc, L, B - m, R, B); break;
            case K::cbkOk: {
                int mid = T + (B - T) / 2, d = L + (R - L) / 2 - m;
                POINT pts[] = {{L, mid}, {d, B}, {d + m - 1, B}, {R, T}, {R - m + 1, T}, {d + m / 3, B - m}, {L + m, mid}};
                Polygon(dc, pts, 7);
                break;
            }
            default: {
                Rectangle(dc, L, T, R, B);
                forms::Brush bar(CreateSolidBrush(b.Enabled ? GetSysColor(COLOR_ACTIVECAPTION) : RGB(128, 128, 128)));
                RECT top{L, T, R, T + m + 1};
                FillRect(dc, &top, bar.Get());
                break;
            }
            }
        };
        if (b.Enabled) {
            shape(0, RGB(0, 0, 0), b.Kind == K::cbkWindow ? RGB(255, 255, 255) : RGB(0, 0, 0));
        } else {
            shape(1, RGB(255, 255, 255), b.Kind == K::cbkWindow ? RGB(192, 192, 192) : RGB(255, 255, 255));
            shape(0, GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
        }
        return;
    }
    const char* symbol = nullptr;
    char one[2] = {0, 0};
    switch (b.Kind) {
    case K::cbkDocument: symbol = "2"; break;
    case K::cbkFolder: symbol = "0"; break;
    case K::cbkMail: symbol = "+"; break;
    case K::cbkDownArrow: one[0] = static_cast<char>(234); symbol = one; break;
    case K::cbkUpArrow: one[0] = static_cast<char>(233); symbol = one; break;
    case K::cbkLeftArrow: one[0] = static_cast<char>(231); symbol = one; break;
    case K::cbkRightArrow: one[0] = static_cast<char>(232); symbol = one; break;
    case K::cbkFlag: symbol = "O"; break;
    case K::cbkCool: symbol = "J"; break;
    default: break;
    }
    std::string text = symbol ? symbol : b.Kind == K::cbkMore ? "..." : b.Caption;
    forms::FontHandle font;
    if (symbol) {
        LOGFONTA lf = {};
        lf.lfHeight = -(fh * 31 / 40);
        lf.lfCharSet = SYMBOL_CHARSET;
        lstrcpyA(lf.lfFaceName, "Wingdings");
        font.Reset(CreateFontIndirectA(&lf));
    } else {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = sizeof ncm;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
            font.Reset(CreateFontIndirectA(&ncm.lfSmCaptionFont));
    }
    HGDIOBJ old = font ? SelectObject(dc, font.Get()) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;
    if (!b.Enabled) {
        RECT r = face;
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text.c_str(), -1, &r, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(dc, text.c_str(), -1, &face, flags);
    if (old)
        SelectObject(dc, old);
}

int TCaptionControl::HitTest(POINT p) const
{
    if (buttons_.Count() == 0)
        return -1;
    RECT cap = CaptionRect();
    RECT r{firstButtonX_ + 2, cap.top, firstButtonX_ + buttonWidth_ + 4, cap.bottom};
    for (int i = 0; i < buttons_.Count(); ++i) {
        const TCaptionButton& b = *buttons_.Items(i);
        bool separator = b.Caption == "-";
        if (!separator && b.Visible && PtInRect(&r, p))
            return i;
        const TCaptionButton* next = buttons_.Items(i + 1);
        int step = next && next->Caption == "-" ? 2 : buttonWidth_ + 2;
        OffsetRect(&r, step, 0);
    }
    return -1;
}

LRESULT TCaptionControl::Previous(UINT msg, WPARAM wp, LPARAM lp)
{
    return CallWindowProcA(previous_, hooked_, msg, wp, lp);
}

LRESULT CALLBACK TCaptionControl::HookProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto it = Hooks().find(wnd);
    if (it == Hooks().end())
        return DefWindowProcA(wnd, msg, wp, lp);
    TCaptionControl* c = it->second;
    try {
        return c->Handle(msg, wp, lp);
    } catch (const std::exception& e) {
        forms::Application::Instance().HandleException(e);
    }
    return 0;
}

LRESULT TCaptionControl::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!enabled_)
        return Previous(msg, wp, lp);
    auto paintIgnoringErrors = [this] {
        try {
            forms::WindowDC dc(hooked_, true);
            PaintCaption(dc.Get());
        } catch (...) {
        }
    };
    auto windowPoint = [this](LPARAM l) {
        POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        RECT wr;
        GetWindowRect(hooked_, &wr);
        return POINT{p.x - wr.left, p.y - wr.top};
    };
    switch (msg) {
    case WM_SIZE: {
        maximized_ = wp == SIZE_MAXIMIZED;
        LRESULT r = Previous(msg, wp, lp);
        paintIgnoringErrors();
        return r;
    }
    case WM_SYSCOLORCHANGE:
        BuildColors();
        return Previous(msg, wp, lp);
    case WM_NCPAINT: {
        // The own caption in one blit, clipped to the update region; the default painting then
        // gets that region without the caption, so the standard title bar never shows under it.
        RECT wr;
        GetWindowRect(hooked_, &wr);
        const bool whole = wp <= 1;
        forms::Region update(whole ? CreateRectRgnIndirect(&wr) : CreateRectRgn(0, 0, 0, 0));
        if (!whole)
            CombineRgn(update.Get(), reinterpret_cast<HRGN>(wp), nullptr, RGN_COPY);
        RECT cap;
        try {
            forms::WindowDC dc(hooked_, true);
            forms::Region clip(CreateRectRgn(0, 0, 0, 0));
            CombineRgn(clip.Get(), update.Get(), nullptr, RGN_COPY);
            OffsetRgn(clip.Get(), -wr.left, -wr.top);
            SelectClipRgn(dc.Get(), clip.Get());
            cap = PaintCaption(dc.Get());
        } catch (...) {
            // Without its own caption the window keeps the standard one.
            return Previous(msg, wp, lp);
        }
        OffsetRect(&cap, wr.left, wr.top);
        forms::Region caption(CreateRectRgnIndirect(&cap));
        CombineRgn(update.Get(), update.Get(), caption.Get(), RGN_DIFF);
        return Previous(msg, reinterpret_cast<WPARAM>(update.Get()), lp);
    }
    case WM_NCACTIVATE: {
        active_ = wp != 0;
        LRESULT r = Previous(msg, wp, lp);
        paintIgnoringErrors();
        return r;
    }
    case WM_SETTEXT: {
        LRESULT r = Previous(msg, wp, lp);
        paintIgnoringErrors();
        return r;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        pressedIndex_ = showButtons_ ? HitTest(windowPoint(lp)) : -1;
        if (pressedIndex_ >= 0) {
            SetCapture(hooked_);
            pressedLook_ = buttons_.Items(pressedIndex_)->Enabled;
            RedrawFrame();
            return 1;
        }
        return Previous(msg, wp, lp);
    }
    case WM_NCRBUTTONDOWN:
        SetCapture(hooked_);
        rightButton_ = true;
        return 1;
    case WM_MOUSEMOVE:
        if (pressedIndex_ >= 0) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            ClientToScreen(hooked_, &p);
            bool over = HitTest(windowPoint(MAKELPARAM(p.x, p.y))) == pressedIndex_;
            if (over != pressedLook_) {
                pressedLook_ = over;
                RedrawFrame();
            }
            return 1;
        }
        return Previous(msg, wp, lp);
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        pressedLook_ = false;
        if (pressedIndex_ < 0)
            return Previous(msg, wp, lp);
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        ClientToScreen(hooked_, &p);
        int index = pressedIndex_;
        pressedIndex_ = -1;
        ReleaseCapture();
        if (HitTest(windowPoint(MAKELPARAM(p.x, p.y))) == index) {
            TCaptionButton* b = buttons_.Items(index);
            // A disabled button reports no click.
            if (b && b->Enabled) {
                bool pushed = b->Pushed;
                OnButtonClick(this, index, pushed);
                b->Pushed = pushed;
            }
        }
        RedrawFrame();
        return 1;
    }
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: {
        LRESULT r = 1;
        if (rightButton_ && popupMenu_ && popupMenu_->AutoPopup()) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            ClientToScreen(hooked_, &p);
            rightButton_ = false;
            ReleaseCapture();
            popupMenu_->Popup(p.x, p.y);
        } else {
            r = Previous(msg, wp, lp);
        }
        rightButton_ = false;
        if (GetCapture() == hooked_)
            ReleaseCapture();
        return r;
    }
    default:
        return Previous(msg, wp, lp);
    }
}

} // namespace platterly
