#include "win32/compare_form.h"

#include "win32/font_enumeration.h"

namespace glyphwell {

namespace {
forms::Label* AddCaption(forms::Form* form, const char* text, int left, int top) {
    auto* label = new forms::Label(form);
    label->SetCaption(text);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetParent(form);
    return label;
}
forms::ListBox* List(forms::Form* form, const char* name, int left) {
    auto* list = new forms::ListBox(form);
    list->SetName(name);
    list->SetSorted(true);
    list->SetBounds(left, 28, 200, 300);
    list->SetParent(form);
    return list;
}
}  // namespace

TfCompare::TfCompare(forms::Component* owner) : forms::Form(owner) {
    SetName("fCompare");
    SetCaption("Compare Screen and Printer Fonts");
    SetBorderStyle(forms::bsDialog);
    SetPosition(forms::poScreenCenter);
    SetClientSize(432, 400);
    AddCaption(this, "Screen Fonts", 10, 10);
    AddCaption(this, "Printer Fonts", 222, 10);
    SF = List(this, "SF", 10);
    PF = List(this, "PF", 222);
    SFCount = AddCaption(this, "", 10, 334);
    SFCount->SetName("SFCount");
    PFCount = AddCaption(this, "", 222, 334);
    PFCount->SetName("PFCount");
    OKButton = new forms::GlyphButton(this);
    OKButton->SetKind(forms::bkOK);
    OKButton->SetBounds(178, 362, 75, 25);
    OKButton->SetParent(this);
    OnShow = forms::Bind(this, &TfCompare::FormShow);
}

void TfCompare::FormShow(forms::Component*) {
    SF->SetItems(ScreenFontNames());
    PF->SetItems(PrinterFontNames());
    SFCount->SetCaption(std::to_string(SF->Count()) + " Fonts");
    PFCount->SetCaption(std::to_string(PF->Count()) + " Fonts");
}

}  // namespace glyphwell
