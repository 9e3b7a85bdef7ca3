#include "GlyphButton.h"

#include "Form.h"

namespace forms {

GlyphButton::GlyphButton(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

GlyphButton::~GlyphButton()
{
    if (Form* f = ParentForm()) {
        if (default_) f->SetDefaultButton(nullptr);
        if (cancel_) f->SetCancelButton(nullptr);
    }
}

void GlyphButton::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = "BUTTON";
    p.style |= BS_OWNERDRAW;
}

void GlyphButton::HandleCreated()
{
    if (Form* f = ParentForm()) {
        if (default_) f->SetDefaultButton(this);
        if (cancel_) f->SetCancelButton(this);
    }
}

void GlyphButton::SetKind(ButtonKind k)
{
    kind_ = k;
    if (k != bkCustom && !glyph_)
        MakeStockGlyph(k);
    if (k == bkOK || k == bkCancel) {
        const bool ok = k == bkOK;
        if (Caption().empty())
            SetCaption(ok ? "OK" : "Cancel");
        if (modalResult_ == 0)
            modalResult_ = ok ? 1 : 2;
        if (ok)
            SetDefault(true);
        else
            SetCancel(true);
    }
    Invalidate();
}

namespace {

void DrawLines(HDC dc, COLORREF colour, int width, const POINT* points, int count)
{
    Pen pen(CreatePen(PS_SOLID, width, colour));
    SelectGuard g(dc, pen.Get());
    Polyline(dc, points, count);
}

} // namespace

// The stock glyphs, in colour and greyed side by side: an open door (close), a tick (OK) and
// a cross (Cancel).
void GlyphButton::MakeStockGlyph(ButtonKind kind)
{
    WindowDC screen(nullptr);
    const int w = 16, h = 16;
    HBITMAP bmp = CreateCompatibleBitmap(screen.Get(), w * 2, h);
    MemoryDC dc(screen.Get());
    SelectGuard g(dc.Get(), bmp);
    Brush olive(CreateSolidBrush(RGB(0, 128, 128)));
    RECT all{0, 0, w * 2, h};
    FillRect(dc.Get(), &all, olive.Get());
    for (int i = 0; i < 2; ++i) {
        int ox = i * w;
        if (kind == bkOK) {
            const POINT tick[] = {{ox + 2, 8}, {ox + 6, 12}, {ox + 13, 3}};
            DrawLines(dc.Get(), i ? RGB(128, 128, 128) : RGB(0, 128, 0), 3, tick, 3);
            continue;
        }
        if (kind == bkCancel) {
            const COLORREF red = i ? RGB(128, 128, 128) : RGB(192, 0, 0);
            const POINT down[] = {{ox + 3, 3}, {ox + 12, 12}};
            const POINT up[] = {{ox + 12, 3}, {ox + 3, 12}};
            DrawLines(dc.Get(), red, 3, down, 2);
            DrawLines(dc.Get(), red, 3, up, 2);
            continue;
        }
        COLORREF frame = i ? RGB(128, 128, 128) : RGB(0, 0, 0);
        COLORREF door = i ? RGB(192, 192, 192) : RGB(128, 64, 0);
        Brush fb(CreateSolidBrush(frame)), db(CreateSolidBrush(door));
        RECT fr{ox + 3, 1, ox + 12, 15};
        FrameRect(dc.Get(), &fr, fb.Get());
        RECT dr{ox + 4, 2, ox + 9, 15};
        FillRect(dc.Get(), &dr, db.Get());
        SetPixel(dc.Get(), ox + 8, 8, i ? RGB(255, 255, 255) : RGB(255, 255, 0));
    }
    glyph_.Reset(bmp);
    numGlyphs_ = 2;
}

void GlyphButton::SetGlyph(HBITMAP glyph, int numGlyphs)
{
    glyph_.Reset(glyph);
    numGlyphs_ = numGlyphs < 1 ? 1 : numGlyphs;
    Invalidate();
}

void GlyphButton::SetDefault(bool d)
{
    default_ = d;
    if (Form* f = ParentForm(); f && HandleAllocated())
        f->SetDefaultButton(d ? this : nullptr);
    Invalidate();
}

void GlyphButton::SetCancel(bool c)
{
    cancel_ = c;
    if (Form* f = ParentForm(); f && HandleAllocated())
        f->SetCancelButton(c ? this : nullptr);
}

void GlyphButton::Click()
{
    Form* form = ParentForm();
    if (kind_ == bkClose && form) {
        form->Close();
        return;
    }
    if (form && modalResult_ != 0)
        form->SetModalResult(modalResult_);
    Control::Click();
}

bool GlyphButton::DialogChar(char ch)
{
    if (ch && AcceleratorOf(Caption()) == ch && Showing() && Enabled() && !CoveredBySibling()) {
        Click();
        return true;
    }
    return false;
}

bool GlyphButton::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    return false;
}

void GlyphButton::Draw(const DRAWITEMSTRUCT& dis)
{
    HDC dc = dis.hDC;
    RECT r = dis.rcItem;
    bool pushed = (dis.itemState & ODS_SELECTED) != 0;
    bool disabled = (dis.itemState & ODS_DISABLED) != 0;
    if (default_ || (dis.itemState & ODS_FOCUS)) {
        Brush black(CreateSolidBrush(RGB(0, 0, 0)));
        FrameRect(dc, &r, black.Get());
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    int shift = pushed ? 1 : 0;

    SelectGuard font(dc, GetFont().Handle());
    RECT textRect{0, 0, 0, 0};
    DrawTextA(dc, Caption().c_str(), -1, &textRect, DT_CALCRECT | DT_SINGLELINE);
    int tw = textRect.right, th = textRect.bottom;
    SIZE gs = BitmapSize(glyph_.Get());
    int gw = glyph_ ? gs.cx / numGlyphs_ : 0, gh = gs.cy;
    int spacing = (gw && tw) ? 4 : 0;
    int total = gw + spacing + tw;
    int x = (r.left + r.right - total) / 2 + shift;
    int cy = (r.top + r.bottom) / 2 + shift;
    if (glyph_) {
        COLORREF transparent;
        {
            MemoryDC m(dc);
            SelectGuard g(m.Get(), glyph_.Get());
            transparent = GetPixel(m.Get(), 0, gh - 1);
        }
        if (disabled && numGlyphs_ >= 2)
            DrawTransparent(dc, x, cy - gh / 2, glyph_.Get(), gw, 0, gw, gh, transparent);
        else if (disabled)
            DrawEmbossed(dc, x, cy - gh / 2, glyph_.Get(), 0, 0, gw, gh, transparent);
        else
            DrawTransparent(dc, x, cy - gh / 2, glyph_.Get(), 0, 0, gw, gh, transparent);
    }
    RECT tr{x + gw + spacing, cy - th / 2, x + gw + spacing + tw, cy - th / 2 + th};
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        OffsetRect(&tr, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, Caption().c_str(), -1, &tr, DT_SINGLELINE);
        OffsetRect(&tr, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(dc, Caption().c_str(), -1, &tr, DT_SINGLELINE);
    if (dis.itemState & ODS_FOCUS) {
        RECT fr = r;
        InflateRect(&fr, -3, -3);
        DrawFocusRect(dc, &fr);
    }
}

} // namespace forms
