// The character-set view: the printable characters of the selected font in a compact grid.
// The left button shows the character in the magnifier while held; the right copies it.
#pragma once

#include "DrawGrid.h"
#include "Form.h"

namespace glyphwell {

class TfCharSet : public forms::Form {
public:
    explicit TfCharSet(forms::Component* owner);
    forms::StringGrid* sg1;

    // The grid, the caption and the magnifier take the font (the main list's selection).
    void FollowFont(const std::string& name);
    // The text the next right click copies (the last selected cell).
    const std::string& RecordedCellText() const { return sg1->Cells(col_, row_); }

    void FormCreate(forms::Component* sender);
    void FormShow(forms::Component* sender);
    void FormDestroy(forms::Component* sender);
    void sg1SelectCell(forms::Component* sender, int col, int row, bool& canSelect);
    void sg1MouseDown(forms::Component* sender, forms::MouseButton button, unsigned shift, int x, int y);
    void sg1MouseUp(forms::Component* sender, forms::MouseButton button, unsigned shift, int x, int y);

private:
    int col_ = 0;
    int row_ = 0;
};

}  // namespace glyphwell
