// A drop-down list (the system combo box without an edit part). Items are texts with a
// pointer-sized object each; the owner-drawn fixed style draws them through DrawItem. Change
// runs when the user picks an item and when a program selection asks for it.
#pragma once

#include "Control.h"

#include <string>
#include <vector>

namespace forms {

enum ComboStyle { csDropDownList, csOwnerDrawFixed };

class CustomComboBox : public Control {
public:
    explicit CustomComboBox(Component* owner);

    ComboStyle Style() const { return style_; }
    void SetStyle(ComboStyle s);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool s) { sorted_ = s; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int n) { dropDownCount_ = n; }

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Items(int index) const { return items_[static_cast<size_t>(index)]; }
    ULONG_PTR Objects(int index) const { return objects_[static_cast<size_t>(index)]; }
    int AddItem(const std::string& text, ULONG_PTR object = 0);
    void Clear();
    int IndexOf(const std::string& text) const;  // exact text
    int IndexOfIgnoringCase(const std::string& text) const;

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // The selected item's text, empty when none is selected.
    std::string Text() const;

    NotifyEvent OnChange;

    // What the user's pick runs: the toolkit's click, then Change.
    void Click() override;
    virtual void Change();

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Draws one item on dc in rect; the default fills and draws the text without prefixes.
    virtual void DrawItem(HDC dc, int index, RECT rect, unsigned state);

private:
    void Reload();
    std::vector<std::string> items_;
    std::vector<ULONG_PTR> objects_;
    ComboStyle style_ = csDropDownList;
    bool sorted_ = false;
    int itemHeight_ = 16;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
};

} // namespace forms
