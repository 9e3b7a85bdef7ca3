#include "reports/preview_control.h"

#include <algorithm>

#include "reports/gdi_painter.h"

namespace reports {

namespace {
constexpr int kMargin = 10;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
}  // namespace

PreviewControl::PreviewControl(forms::Component* owner) : forms::Control(owner) {
    SetColor(forms::clGray);
    SetBounds(0, 0, 200, 200);
}

void PreviewControl::GetWindowParams(forms::WindowParams& p) {
    forms::Control::GetWindowParams(p);
    p.style |= WS_HSCROLL | WS_VSCROLL;
}

void PreviewControl::SetPrinter(const ReportPrinter* printer) {
    printer_ = printer;
    page_ = 1;
    scrollX_ = scrollY_ = 0;
    UpdateScrollBars();
    Invalidate();
}

void PreviewControl::SetPageNumber(int page) {
    const int count = printer_ ? printer_->PageCount() : 0;
    page_ = std::clamp(page, 1, std::max(1, count));
    Invalidate();
}

void PreviewControl::SetZoom(int percent) {
    zoom_ = std::max(1, percent);
    UpdateScrollBars();
    Invalidate();
}

int PreviewControl::PageWidthAt100() const {
    const int width = printer_ ? printer_->Pages().width : 8500;
    return MulDiv(width, ScreenDpi(), kUnitsPerInch);
}

int PreviewControl::PageHeightAt100() const {
    const int height = printer_ ? printer_->Pages().height : 11000;
    return MulDiv(height, ScreenDpi(), kUnitsPerInch);
}

int PreviewControl::AvailableWidth() const {
    RECT r{};
    if (WindowHandle()) GetClientRect(WindowHandle(), &r);
    return std::max(1, static_cast<int>(r.right) - 2 * kMargin);
}

int PreviewControl::AvailableHeight() const {
    RECT r{};
    if (WindowHandle()) GetClientRect(WindowHandle(), &r);
    return std::max(1, static_cast<int>(r.bottom) - 2 * kMargin);
}

void PreviewControl::UpdateScrollBars() {
    HWND w = WindowHandle();
    if (!w) return;
    RECT client{};
    GetClientRect(w, &client);
    const int pageW = MulDiv(PageWidthAt100(), zoom_, 100) + 2 * kMargin;
    const int pageH = MulDiv(PageHeightAt100(), zoom_, 100) + 2 * kMargin;
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, pageW - static_cast<int>(client.right)));
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, pageH - static_cast<int>(client.bottom)));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = pageW - 1;
    info.nPage = static_cast<UINT>(client.right);
    info.nPos = scrollX_;
    SetScrollInfo(w, SB_HORZ, &info, TRUE);
    info.nMax = pageH - 1;
    info.nPage = static_cast<UINT>(client.bottom);
    info.nPos = scrollY_;
    SetScrollInfo(w, SB_VERT, &info, TRUE);
}

void PreviewControl::Resized() {
    UpdateScrollBars();
    Invalidate();
    forms::Control::Resized();
}

void PreviewControl::Scroll(int bar, WPARAM wp) {
    HWND w = WindowHandle();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(w, bar, &info);
    int pos = info.nPos;
    switch (LOWORD(wp)) {
    case SB_LINEUP: pos -= 20; break;
    case SB_LINEDOWN: pos += 20; break;
    case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: break;
    }
    if (bar == SB_HORZ) scrollX_ = pos;
    else scrollY_ = pos;
    UpdateScrollBars();
    Invalidate();
}

LRESULT PreviewControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_HSCROLL && lp == 0) {
        Scroll(SB_HORZ, wp);
        return 0;
    }
    if (msg == WM_VSCROLL && lp == 0) {
        Scroll(SB_VERT, wp);
        return 0;
    }
    return forms::Control::WndProc(msg, wp, lp);
}

void PreviewControl::Paint(HDC dc) {
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    // Draw off screen, then copy, so paging and zooming do not flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH desk = CreateSolidBrush(forms::ColorToRGB(GetColor()));
    FillRect(memory, &client, desk);
    DeleteObject(desk);

    const int width = MulDiv(PageWidthAt100(), zoom_, 100);
    const int height = MulDiv(PageHeightAt100(), zoom_, 100);
    const int left = std::max(kMargin, (static_cast<int>(client.right) - width) / 2) - scrollX_;
    const int top = kMargin - scrollY_;
    RECT shadow{left + 4, top + 4, left + width + 4, top + height + 4};
    FillRect(memory, &shadow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT page{left, top, left + width, top + height};
    FillRect(memory, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (printer_ && page_ >= 1 && page_ <= printer_->PageCount()) {
        PagePlacement at;
        at.originX = left;
        at.originY = top;
        at.scaleX = static_cast<double>(width) / printer_->Pages().width;
        at.scaleY = static_cast<double>(height) / printer_->Pages().height;
        HRGN clip = CreateRectRgnIndirect(&page);
        SelectClipRgn(memory, clip);
        PaintPage(memory, printer_->Pages().pages[static_cast<size_t>(page_ - 1)], at);
        SelectClipRgn(memory, nullptr);
        DeleteObject(clip);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace reports
