// Shows a bitmap or an icon, at its size, centred or stretched.
#pragma once

#include "Control.h"

namespace forms {

class Image : public Control {
public:
    explicit Image(Component* owner);
    // Takes ownership of the bitmap.
    void SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const { return bitmap_.Get(); }
    void SetIcon(HICON icon) { icon_ = icon; Invalidate(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s) { stretch_ = s; Invalidate(); }
    bool Center() const { return center_; }
    void SetCenter(bool c) { center_ = c; Invalidate(); }

protected:
    void Paint(HDC dc) override;

private:
    Bitmap bitmap_;
    HICON icon_ = nullptr;
    bool stretch_ = false;
    bool center_ = false;
};

} // namespace forms
