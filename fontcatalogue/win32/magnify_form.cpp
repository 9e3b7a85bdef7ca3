#include "win32/magnify_form.h"

#include "win32/glyphwell_forms.h"

namespace glyphwell {

CharacterPanel::CharacterPanel(forms::Component* owner) : forms::Control(owner) { SetColor(forms::clWhite); }

void CharacterPanel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    forms::SelectGuard font(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, forms::ColorToRGB(GetFont().GetColor()));
    const std::string& text = Caption();
    // Drawn byte for byte: "&" stays "&", and code 0 is the font's glyph rather than an end.
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    ExtTextOutA(dc, (r.right - extent.cx) / 2, (r.bottom - extent.cy) / 2, ETO_CLIPPED, &r, text.data(),
                static_cast<UINT>(text.size()), nullptr);
}

TfMagnify::TfMagnify(forms::Component* owner) : forms::Form(owner) {
    SetName("fMagnify");
    SetBorderStyle(forms::bsNone);
    SetBorderIcons(0);
    SetColor(forms::clWhite);
    SetFont(forms::Font("MS Sans Serif", PointsToHeight(24)));
    SetFormStyle(forms::fsStayOnTop);
    // Room for the shadow: it shows 5 pixels to the right of and below the white square.
    SetBounds(0, 0, 66, 66);
    Shape1 = new forms::Shape(this);
    Shape1->SetName("Shape1");
    Shape1->SetBounds(4, 4, 61, 61);
    Shape1->SetBrushColor(forms::clGray);
    Shape1->SetOutline(false);
    Shape1->SetParent(this);
    Panel1 = new CharacterPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetBounds(0, 0, 60, 60);
    Panel1->SetParent(this);
    OnCreate = forms::Bind(this, &TfMagnify::FormCreate);
}

void TfMagnify::FormCreate(forms::Component*) {
    SetWidth(Height());
}

void TfMagnify::SetFontName(const std::string& name) {
    forms::Font font = Panel1->GetFont();
    font.SetName(name);
    Panel1->SetFont(font);
}

}  // namespace glyphwell
