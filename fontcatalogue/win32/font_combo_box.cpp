#include "win32/font_combo_box.h"

#include "Exception.h"
#include "core/char_grids.h"
#include "win32/font_enumeration.h"

namespace glyphwell {

void RaiseResNotFound(const char* name) {
    // An integer resource id has a zero high word in place of a pointer.
    const auto value = reinterpret_cast<ULONG_PTR>(name);
    const std::string text = (value >> 16) == 0 ? std::to_string(value) : std::string(name);
    throw forms::Exception("Resource " + text + " not found");
}

HBITMAP LoadBitmapRes(HINSTANCE module, const char* name) { return LoadBitmapA(module, name); }

HBITMAP LoadGlyphBitmap(const char* name) {
    HBITMAP bitmap = LoadBitmapRes(GetModuleHandleA(nullptr), name);
    if (!bitmap) RaiseResNotFound(name);
    return bitmap;
}

namespace {
SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap) GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// Draws a glyph with its bottom-left pixel's colour left out.
void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y) {
    const SIZE size = BitmapSize(glyph);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, glyph);
    const COLORREF transparent = GetPixel(memory, 0, size.cy - 1);
    for (int py = 0; py < size.cy; ++py)
        for (int px = 0; px < size.cx; ++px) {
            const COLORREF c = GetPixel(memory, px, py);
            if (c != transparent) SetPixel(dc, x + px, y + py, c);
        }
    SelectObject(memory, old);
    DeleteDC(memory);
}
}  // namespace

TFontComboBox::TFontComboBox(forms::Component* owner) : forms::CustomComboBox(owner) {
    trueTypeGlyph_ = LoadGlyphBitmap("TTF_FONT");
    printerGlyph_ = LoadGlyphBitmap("PRN_FONT");
    SetStyle(forms::csOwnerDrawFixed);
    SetSorted(true);
    ResetItemHeight();
}

TFontComboBox::~TFontComboBox() {
    DeleteObject(trueTypeGlyph_);
    DeleteObject(printerGlyph_);
}

void TFontComboBox::FillList() {
    if (!WindowHandle()) return;
    Clear();
    std::vector<EnumeratedFont> fonts;
    if (device_ == fdScreen || device_ == fdBoth) fonts = EnumerateScreenFonts();
    if (device_ == fdPrinter || device_ == fdBoth) {
        // No printer: nothing to add, and nothing to report.
        auto printer = EnumeratePrinterFonts();
        fonts.insert(fonts.end(), printer.begin(), printer.end());
    }
    FontSet set;
    for (const auto& font : fonts) set.Add(font, options_);
    for (const auto& item : set.Items()) AddItem(item.face, item.fontType);
}

void TFontComboBox::Refill() {
    if (!WindowHandle()) return;
    updating_ = true;
    const std::string remembered = FontName();
    FillList();
    SetFontName(remembered);
    updating_ = false;
    if (FontName() != remembered) Change();
}

void TFontComboBox::SetFontName(const std::string& name) {
    if (name == FontName()) return;
    if (!WindowHandle()) pendingName_ = name;
    Handle();
    SetItemIndex(IndexOfIgnoringCase(name));
    Change();
}

void TFontComboBox::Change() {
    if (!updating_) forms::CustomComboBox::Change();
}

void TFontComboBox::SetDevice(TFontDevice device) {
    if (device == device_) return;
    device_ = device;
    Refill();
}

void TFontComboBox::SetOptions(FontListOptions options) {
    if (options == options_) return;
    options_ = options;
    Refill();
}

void TFontComboBox::SetTrueTypeOnly(bool on) { SetOptions(on ? (options_ | foTrueTypeOnly) : (options_ & ~foTrueTypeOnly)); }

void TFontComboBox::HandleCreated() {
    const std::string remembered = pendingName_.empty() ? FontName() : pendingName_;
    pendingName_.clear();
    forms::CustomComboBox::HandleCreated();
    updating_ = true;
    FillList();
    SetItemIndex(IndexOfIgnoringCase(remembered));
    updating_ = false;
}

void TFontComboBox::DrawItem(HDC dc, int index, RECT rect, unsigned) {
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
    const auto type = static_cast<std::uint32_t>(Objects(index));
    HBITMAP glyph = nullptr;
    if (type & kTrueTypeFontType) glyph = trueTypeGlyph_;
    else if (type & kDeviceFontType) glyph = printerGlyph_;
    int glyphWidth = 20;
    if (glyph) {
        const SIZE size = BitmapSize(glyph);
        glyphWidth = size.cx;
        DrawGlyph(dc, glyph, rect.left + 2, (rect.top + rect.bottom - size.cy) / 2);
    }
    RECT text{rect.left + glyphWidth + 6, rect.top, rect.right, rect.bottom};
    const std::string& name = Items(index);
    DrawTextA(dc, name.data(), static_cast<int>(name.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TFontComboBox::ResetItemHeight() {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetFont().Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const int heights[] = {static_cast<int>(metrics.tmHeight) + 1, static_cast<int>(BitmapSize(trueTypeGlyph_).cy) - 1, 9};
    SetItemHeight(MaxOfIntegers(heights, 2));
}

void TFontComboBox::FontChanged() {
    forms::CustomComboBox::FontChanged();
    ResetItemHeight();
    if (WindowHandle()) RecreateWnd();
}

LRESULT TFontComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT result = forms::CustomComboBox::WndProc(msg, wp, lp);
    if (msg == WM_FONTCHANGE) Refill();
    return result;
}

}  // namespace glyphwell
