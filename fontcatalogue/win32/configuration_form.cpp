#include "win32/configuration_form.h"

#include "core/settings.h"
#include "win32/glyphwell_forms.h"
#include "win32/main_form.h"

namespace glyphwell {

using forms::Bind;

namespace {
forms::Label* AddLabel(forms::Form* form, const char* caption, int left, int top) {
    auto* label = new forms::Label(form);
    label->SetCaption(caption);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetParent(form);
    return label;
}

forms::Edit* AddEdit(forms::Form* form, const char* name, int left, int top, int width) {
    auto* edit = new forms::Edit(form);
    edit->SetName(name);
    edit->SetBounds(left, top, width, 21);
    edit->SetParent(form);
    return edit;
}

forms::RadioGroup* AddGroup(forms::Form* form, const char* name, const char* caption, int left, int top) {
    auto* group = new forms::RadioGroup(form);
    group->SetName(name);
    group->SetCaption(caption);
    group->SetBounds(left, top, 365, 45);
    group->SetColumns(2);
    group->SetItems({"Screen Fonts", "Printer Fonts"});
    group->SetParent(form);
    return group;
}
}  // namespace

bool SizeEditAccepts(char key) { return key == '\t' || (key >= '0' && key <= '9'); }

TfConfiguration::TfConfiguration(forms::Component* owner) : forms::Form(owner) {
    SetName("fConfiguration");
    SetCaption("Glyphwell Configuration");
    SetBorderStyle(forms::bsDialog);
    SetFormStyle(forms::fsStayOnTop);
    SetPosition(forms::poScreenCenter);
    SetFont(forms::Font("MS Sans Serif", PointsToHeight(8)));
    SetClientSize(397, 297);

    AddLabel(this, "Screen Font Size", 16, 16);
    eSize = AddEdit(this, "eSize", 16, 32, 80);
    AddLabel(this, "Report Font Size", 200, 16);
    pSize = AddEdit(this, "pSize", 200, 32, 80);
    AddLabel(this, "String", 16, 64);
    eString = AddEdit(this, "eString", 16, 80, 365);
    AddLabel(this, "Printer String", 16, 110);
    ePrinterString = AddEdit(this, "ePrinterString", 16, 126, 365);
    FontSet = AddGroup(this, "FontSet", "Display ", 16, 156);
    PrinterSet = AddGroup(this, "PrinterSet", "Report ", 16, 205);
    eSize->OnKeyPress = Bind(this, &TfConfiguration::eSizeKeyPress);
    pSize->OnKeyPress = Bind(this, &TfConfiguration::eSizeKeyPress);

    btnOK = new forms::GlyphButton(this);
    btnOK->SetName("btnOK");
    btnOK->SetKind(forms::bkOK);
    btnOK->SetBounds(216, 260, 75, 25);
    btnOK->OnClick = Bind(this, &TfConfiguration::btnOKClick);
    btnOK->SetParent(this);
    BtnCancel = new forms::GlyphButton(this);
    BtnCancel->SetName("BtnCancel");
    BtnCancel->SetKind(forms::bkCancel);
    BtnCancel->SetBounds(306, 260, 75, 25);
    BtnCancel->SetParent(this);

    OnShow = Bind(this, &TfConfiguration::FormShow);
}

void TfConfiguration::FormShow(forms::Component*) {
    eSize->SetText(fGlyphwell->ReadSetting(setting::FontSize));
    pSize->SetText(fGlyphwell->ReadSetting(setting::ReportFontSize));
    eString->SetText(fGlyphwell->ReadSetting(setting::FontString));
    ePrinterString->SetText(fGlyphwell->ReadSetting(setting::PrinterString));
    FontSet->SetItemIndex(ValidChoice(fGlyphwell->ReadNumber(setting::FontSet), static_cast<int>(FontSet->Items().size())));
    PrinterSet->SetItemIndex(ValidChoice(fGlyphwell->ReadNumber(setting::PrinterSet), static_cast<int>(PrinterSet->Items().size())));
}

void TfConfiguration::btnOKClick(forms::Component*) {
    // Stored as typed; readers fall back to the default for an empty or damaged number.
    fGlyphwell->WriteSettings({{setting::FontSize, eSize->Text()},
                               {setting::ReportFontSize, pSize->Text()},
                               {setting::FontString, eString->Text()},
                               {setting::PrinterString, ePrinterString->Text()},
                               {setting::FontSet, std::to_string(FontSet->ItemIndex())},
                               {setting::PrinterSet, std::to_string(PrinterSet->ItemIndex())}});
}

void TfConfiguration::eSizeKeyPress(forms::Component*, char& key) {
    if (!SizeEditAccepts(key)) key = 0;
}

}  // namespace glyphwell
