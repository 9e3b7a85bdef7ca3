// A framed group of radio buttons laid out in columns; ItemIndex is the checked one (-1: none).
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
