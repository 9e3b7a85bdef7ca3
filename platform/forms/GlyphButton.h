// A push button with a glyph beside its caption: the glyph bitmap holds the enabled image and,
// optionally, the disabled one side by side. The close kind closes its form and brings its own
// glyph. The OK and Cancel kinds bring their caption, their glyph and their role: OK is the
// button Enter presses, Cancel the one Escape presses. A modal result is handed to the form
// when clicked.
#pragma once

#include "Control.h"

namespace forms {

enum ButtonKind { bkCustom, bkOK, bkCancel, bkClose };

class GlyphButton : public Control {
public:
    explicit GlyphButton(Component* owner);
    ~GlyphButton() override;

    ButtonKind Kind() const { return kind_; }
    void SetKind(ButtonKind k);
    // Takes ownership of the bitmap.
    void SetGlyph(HBITMAP glyph, int numGlyphs);
    HBITMAP Glyph() const { return glyph_.Get(); }
    int ModalResultValue() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool Default() const { return default_; }
    void SetDefault(bool d);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool c);

    void Click() override;
    bool DialogChar(char ch) override;

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Draw(const DRAWITEMSTRUCT& dis);
    void MakeStockGlyph(ButtonKind kind);

    ButtonKind kind_ = bkCustom;
    Bitmap glyph_;
    int numGlyphs_ = 1;
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;
};

} // namespace forms
