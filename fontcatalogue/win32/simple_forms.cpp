#include "win32/simple_forms.h"

#include "Label.h"
#include "win32/glyphwell_forms.h"

namespace glyphwell {

TAboutBox::TAboutBox(forms::Component* owner) : forms::Form(owner) {
    SetName("AboutBox");
    SetCaption("About");
    SetBorderStyle(forms::bsDialog);
    SetPosition(forms::poScreenCenter);
    SetClientSize(260, 140);
    SetIcon(ProgramIcon());
    auto* name = new forms::Label(this);
    name->SetFont(forms::Font("Arial", PointsToHeight(14), forms::fsBold));
    name->SetCaption("Glyphwell 32");
    name->SetBounds(70, 20, 150, 24);
    name->SetParent(this);
    auto* version = new forms::Label(this);
    version->SetCaption("Version 3.0");
    version->SetBounds(70, 50, 150, 16);
    version->SetParent(this);
    auto* maker = new forms::Label(this);
    maker->SetCaption("Corvane Software");
    maker->SetBounds(70, 70, 150, 16);
    maker->SetParent(this);
    OKButton = new forms::GlyphButton(this);
    OKButton->SetName("OKButton");
    OKButton->SetKind(forms::bkOK);
    OKButton->SetBounds(92, 104, 75, 25);
    OKButton->SetParent(this);
}

void TAboutBox::Paint(HDC dc) {
    forms::Form::Paint(dc);
    DrawIcon(dc, 20, 20, ProgramIcon());
}

}  // namespace glyphwell
