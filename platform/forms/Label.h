// A painted text label; with AutoSize it takes the size of its text.
#pragma once

#include "Control.h"

namespace forms {

class Label : public Control {
public:
    explicit Label(Component* owner);
    void SetCaption(const std::string& text) override;
    void SetFont(const Font& f) override;
    void SetParent(Control* parent) override;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool a);
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment a) { alignment_ = a; Invalidate(); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool w) { wordWrap_ = w; AdjustSize(); Invalidate(); }
    // With it off, "&" is drawn as it is rather than underlining the next letter: for texts that
    // are data (file names, messages), not captions with an access key.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool s);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t) { transparent_ = t; Invalidate(); }
    // The font colour is the label's text colour.
    void SetFontColor(Color c);

protected:
    void Paint(HDC dc) override;
    void EraseBackground(HDC dc) override;
    void FontChanged() override;
    void AdjustSize();
    UINT TextFlags() const;

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    Alignment alignment_ = taLeftJustify;
};

} // namespace forms
