// The screen and printer font lists side by side, each with its count.
#pragma once

#include "Form.h"
#include "GlyphButton.h"
#include "Label.h"
#include "ListBox.h"

namespace glyphwell {

class TfCompare : public forms::Form {
public:
    explicit TfCompare(forms::Component* owner);
    forms::ListBox* SF;
    forms::ListBox* PF;
    forms::Label* SFCount;
    forms::Label* PFCount;
    forms::GlyphButton* OKButton;
    void FormShow(forms::Component* sender);
};

}  // namespace glyphwell
