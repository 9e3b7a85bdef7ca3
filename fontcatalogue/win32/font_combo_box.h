// The font picker: an owner-drawn drop-down of the face names of the screen, the printer or
// both, filtered by options, each TrueType or printer font with its glyph before the name.
#pragma once

#include "CustomComboBox.h"
#include "core/font_set.h"

namespace glyphwell {

enum TFontDevice { fdScreen, fdPrinter, fdBoth };

class TFontComboBox : public forms::CustomComboBox {
public:
    explicit TFontComboBox(forms::Component* owner);
    ~TFontComboBox() override;

    TFontDevice Device() const { return device_; }
    void SetDevice(TFontDevice device);
    FontListOptions Options() const { return options_; }
    void SetOptions(FontListOptions options);
    bool TrueTypeOnly() const { return (options_ & foTrueTypeOnly) != 0; }
    void SetTrueTypeOnly(bool on);

    std::string FontName() const { return Text(); }
    void SetFontName(const std::string& name);

    void FillList();
    void Refill();
    void Change() override;

protected:
    void HandleCreated() override;
    void DrawItem(HDC dc, int index, RECT rect, unsigned state) override;
    void FontChanged() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ResetItemHeight();
    HBITMAP trueTypeGlyph_ = nullptr;
    HBITMAP printerGlyph_ = nullptr;
    TFontDevice device_ = fdScreen;
    FontListOptions options_ = 0;
    bool updating_ = false;
    std::string pendingName_;  // the name asked for before the window existed
};

// Resource helpers of the picker.
[[noreturn]] void RaiseResNotFound(const char* name);
HBITMAP LoadBitmapRes(HINSTANCE module, const char* name);
HBITMAP LoadGlyphBitmap(const char* name);

}  // namespace glyphwell
