// A framed group of radio buttons laid out in columns; ItemIndex is the checked one (-1: none).
// Tab stops at the group: the checked button takes the focus (the first when none is checked),
// and the arrow keys move the focus and the check round the buttons.
#pragma once

#include "Control.h"

#include <string>
#include <vector>

namespace forms {

class RadioGroup : public Control {
public:
    explicit RadioGroup(Component* owner);
    ~RadioGroup() override;
    void SetItems(const std::vector<std::string>& items);
    const std::vector<std::string>& Items() const { return items_; }
    int Columns() const { return columns_; }
    void SetColumns(int c);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    HWND FocusWindow() override;
    // An arrow key pressed in button `from`: the next (or previous) button takes the focus and is
    // checked, as a click would check it.
    void ArrowKey(HWND from, bool forward);

protected:
    void HandleCreated() override;
    void Paint(HDC dc) override;
    void Resized() override;
    void FontChanged() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void MakeButtons();
    void PlaceButtons();
    std::vector<std::string> items_;
    std::vector<HWND> buttons_;
    int columns_ = 1;
    int itemIndex_ = -1;
};

} // namespace forms
