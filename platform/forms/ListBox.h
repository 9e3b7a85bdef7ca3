// A list box of strings, optionally multi-select and owner-drawn. The items are kept in the
// object too, so the window can be recreated and the list read without it.
#pragma once

#include "Control.h"

#include <string>
#include <vector>

namespace forms {

enum ListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum OwnerDrawState : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };

using DrawItemEvent = Event<Component*, int, HDC, const RECT&, unsigned>;
using MeasureItemEvent = Event<Component*, int, int&>;

class ListBox : public Control {
public:
    explicit ListBox(Component* owner);

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Items(int i) const { return items_[static_cast<size_t>(i)]; }
    const std::vector<std::string>& ItemList() const { return items_; }
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);
    void Delete(int index);
    void Clear();
    void SetItems(const std::vector<std::string>& items);

    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool m);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool e);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool s);
    ListBoxStyle Style() const { return style_; }
    void SetStyle(ListBoxStyle s);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);

    bool Selected(int i) const;
    void SetSelected(int i, bool s);
    int SelCount() const;
    int ItemIndex() const;
    void SetItemIndex(int i);
    int TopIndex() const;
    void SetTopIndex(int i);
    int ItemAtPos(POINT p, bool existing) const;
    RECT ItemRect(int i) const;

    DrawItemEvent OnDrawItem;
    MeasureItemEvent OnMeasureItem;

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Owner-drawn items: the default draws the text; derived lists draw glyphs too.
    virtual void DrawItem(int index, HDC dc, const RECT& rect, unsigned state);
    virtual void MeasureItem(int index, int& height);
    void RecreateKeepingSelection();

private:
    std::vector<std::string> items_;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    bool sorted_ = false;
    ListBoxStyle style_ = lbStandard;
    int itemHeight_ = 13;
};

} // namespace forms
