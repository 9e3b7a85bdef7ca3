// The whole-set view: all 256 codes of the picked font in a 16 x 16 grid, each cell with its
// code in decimal or hexadecimal.
#pragma once

#include "DrawGrid.h"
#include "Form.h"
#include "RadioGroup.h"
#include "win32/font_combo_box.h"

namespace glyphwell {

class TfWholeSet : public forms::Form {
public:
    explicit TfWholeSet(forms::Component* owner);
    forms::StringGrid* sg1;
    TFontComboBox* FontComboBox1;
    forms::RadioGroup* RG1;

    // Picks the name in the picker when it lists it (exact text); otherwise nothing changes.
    void FollowFont(const std::string& name);

    void FormShow(forms::Component* sender);
    void FormHide(forms::Component* sender);
    void FontComboBox1Change(forms::Component* sender);
    void RG1Click(forms::Component* sender);
    void sg1DrawCell(forms::Component* sender, int col, int row, RECT rect, unsigned state);
};

}  // namespace glyphwell
