#include "ButtonLayout.h"

#include <algorithm>

namespace platterly {

ButtonLayoutResult LayoutButton(const ButtonLayoutInput& in)
{
    ButtonLayoutResult r;
    const int w = in.width, h = in.height;
    int tw = in.textWidth, th = in.textHeight;
    int sp = (tw > 0 || th > 0) ? 2 : 0;
    tw = std::min(tw, w - 4);
    int gw = in.glyphWidth + (in.popupMark ? 10 : 0);
    int gh = in.glyphHeight;
    int tx = 0, ty = 0, gx = 0, gy = 0;
    if (in.glyphWidth == 0) {
        int total = tw;
        if (in.popupMark) {
            tw = std::min(tw, w - 14);
            total = tw + 10;
        }
        ty = (h - th) / 2;
        switch (in.alignment) {
        case TextAlign::taLeftJustify: tx = 3; break;
        case TextAlign::taRightJustify: tx = w - total - 3; break;
        case TextAlign::taCenter: tx = (w - total) / 2; break;
        }
    } else if (in.layout == GlyphLayout::blBitmapTop || in.layout == GlyphLayout::blBitmapBottom) {
        int e = h - th - gh - sp;
        if (in.layout == GlyphLayout::blBitmapTop) {
            gy = e / 2;
            ty = sp + gh + e / 2;
        } else {
            ty = e / 2;
            gy = sp + th + e / 2;
        }
        switch (in.alignment) {
        case TextAlign::taLeftJustify: tx = gx = 3; break;
        case TextAlign::taRightJustify: tx = w - tw - 3; gx = w - gw - 3; break;
        case TextAlign::taCenter: gx = (w - gw) / 2; tx = (w - tw) / 2; break;
        }
    } else {
        if (w - 4 < tw + gw + sp)
            tw = w - 4 - sp - gw;
        gy = (h - gh) / 2;
        ty = (h - th) / 2;
        bool left = in.layout == GlyphLayout::blBitmapLeft;
        switch (in.alignment) {
        case TextAlign::taLeftJustify:
            if (left) { gx = 3; tx = gw + sp + 3; } else { tx = 3; gx = tw + sp + 3; }
            break;
        case TextAlign::taRightJustify:
            if (left) { tx = w - tw - 3; gx = tx - gw - sp; } else { gx = w - gw - 3; tx = gx - tw - sp; }
            break;
        case TextAlign::taCenter:
            if (left) { gx = (w - gw - tw - sp) / 2; tx = gx + gw + sp; }
            else { tx = (w - gw - tw - sp) / 2; gx = tx + tw + sp; }
            break;
        }
    }
    if (in.wordWrap && tx + tw > w - 5)
        tw = w - tx - 5;
    r.tx = tx; r.ty = ty; r.tw = tw; r.th = th; r.gx = gx; r.gy = gy;
    return r;
}

std::string StripAccelerators(const std::string& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            if (caption[i + 1] == '&') {
                out.push_back('&');
                ++i;
            }
            continue;
        }
        out.push_back(caption[i]);
    }
    return out;
}

} // namespace platterly
