// Colours, fonts and the RAII holders of GDI objects and device contexts the controls draw with.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace forms {

// A colour is an RGB value or, with the top bit set, a system colour index.
using Color = DWORD;
constexpr Color SystemColor(int index) { return 0x80000000u | static_cast<DWORD>(index); }
constexpr Color clBlack = RGB(0, 0, 0);
constexpr Color clWhite = RGB(255, 255, 255);
constexpr Color clRed = RGB(255, 0, 0);
constexpr Color clBlue = RGB(0, 0, 255);
constexpr Color clGray = RGB(128, 128, 128);
constexpr Color clSilver = RGB(192, 192, 192);
constexpr Color clNone = 0x1FFFFFFFu;
constexpr Color clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr Color clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr Color clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr Color clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr Color clWindow = SystemColor(COLOR_WINDOW);
constexpr Color clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr Color clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr Color clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr Color clGrayText = SystemColor(COLOR_GRAYTEXT);

COLORREF ColorToRGB(Color c);

// Owns one GDI object; move-only so it is deleted exactly once.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept
    {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset(H h = nullptr)
    {
        if (h_)
            DeleteObject(h_);
        h_ = h;
    }
    H Release() { return std::exchange(h_, nullptr); }

private:
    H h_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC for a scope and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory DC compatible with another; deleted at scope end.
class MemoryDC {
public:
    explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// GetDC/ReleaseDC pair for a window (or the screen with a null window).
class WindowDC {
public:
    explicit WindowDC(HWND wnd, bool wholeWindow = false)
        : wnd_(wnd), dc_(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd)) {}
    ~WindowDC() { if (dc_) ReleaseDC(wnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description; Handle() makes the GDI font when it is first needed after a change.
class Font {
public:
    Font() = default;
    Font(std::string name, int height, unsigned style = 0, Color color = clWindowText)
        : name_(std::move(name)), height_(height), style_(style), color_(color) {}
    Font(const Font& o) : name_(o.name_), height_(o.height_), style_(o.style_), color_(o.color_),
                          charset_(o.charset_) {}
    Font& operator=(const Font& o)
    {
        if (this != &o) {
            name_ = o.name_; height_ = o.height_; style_ = o.style_; color_ = o.color_;
            charset_ = o.charset_;
            handle_.Reset();
        }
        return *this;
    }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& n) { name_ = n; handle_.Reset(); }
    int Height() const { return height_; }
    void SetHeight(int h) { height_ = h; handle_.Reset(); }
    unsigned Style() const { return style_; }
    void SetStyle(unsigned s) { style_ = s; handle_.Reset(); }
    Color GetColor() const { return color_; }
    void SetColor(Color c) { color_ = c; }
    int Charset() const { return charset_; }
    void SetCharset(int c) { charset_ = c; handle_.Reset(); }
    HFONT Handle() const;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    unsigned style_ = 0;
    Color color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
    mutable FontHandle handle_;
};

} // namespace forms

namespace forms {
// Copies a part of a bitmap onto dc leaving out the pixels of the transparent colour (a mask
// is built from that colour; the background is cut out with AND and the image OR-ed in).
void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int width, int height,
                     COLORREF transparent);
// Draws a bitmap part in the embossed look of a disabled control.
void DrawEmbossed(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int width, int height,
                  COLORREF transparent);
SIZE BitmapSize(HBITMAP bitmap);
}
