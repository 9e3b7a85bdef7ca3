// The settings dialog: list font size and sample, report font size and sample, and which font
// set the list and the reports use. Shown each time with the stored values; OK stores them.
#pragma once

#include "Edit.h"
#include "Form.h"
#include "GlyphButton.h"
#include "Label.h"
#include "RadioGroup.h"

namespace glyphwell {

class TfConfiguration : public forms::Form {
public:
    explicit TfConfiguration(forms::Component* owner);

    forms::Edit* eSize;
    forms::Edit* pSize;
    forms::Edit* eString;
    forms::Edit* ePrinterString;
    forms::RadioGroup* FontSet;
    forms::RadioGroup* PrinterSet;
    forms::GlyphButton* btnOK;
    forms::GlyphButton* BtnCancel;

    void FormShow(forms::Component* sender);
    void btnOKClick(forms::Component* sender);
    void eSizeKeyPress(forms::Component* sender, char& key);
};

// The size edits take digits and Tab only (not even Backspace).
bool SizeEditAccepts(char key);

}  // namespace glyphwell
