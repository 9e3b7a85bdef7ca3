// Main and popup menus. Items are components of the form, so the form finds their shortcuts;
// a chosen item runs its OnClick after the menu has closed.
#pragma once

#include "Component.h"
#include "Event.h"

#include <windows.h>

#include <string>
#include <vector>

namespace forms {

// A shortcut is a virtual key with modifier bits, as menus show them ("Ctrl+A", "F1").
using ShortCut = WORD;
constexpr ShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
constexpr ShortCut MakeShortCut(WORD key, ShortCut mods) { return static_cast<ShortCut>(key | mods); }
std::string ShortCutToText(ShortCut s);

class MenuItem : public Component {
public:
    explicit MenuItem(Component* owner);
    ~MenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    ShortCut GetShortCut() const { return shortCut_; }
    void SetShortCut(ShortCut s) { shortCut_ = s; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e) { enabled_ = e; }
    bool Checked() const { return checked_; }
    void SetChecked(bool c) { checked_ = c; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    bool IsSeparator() const { return caption_ == "-"; }

    void Add(MenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    MenuItem* Items(int i) const { return items_[static_cast<size_t>(i)]; }
    MenuItem* ParentItem() const { return parentItem_; }
    UINT Command() const { return command_; }

    virtual void Click();
    NotifyEvent OnClick;

    // Builds the system menu of these items (submenus included) into menu.
    void AppendTo(HMENU menu) const;
    bool FindShortCut(ShortCut s);
    static bool DispatchCommand(UINT command);
    static MenuItem* FindCommand(UINT command);

private:
    std::string caption_;
    ShortCut shortCut_ = 0;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    UINT command_;
    MenuItem* parentItem_ = nullptr;
    std::vector<MenuItem*> items_;
};

class Menu : public Component {
public:
    explicit Menu(Component* owner);
    MenuItem* Items() { return &root_; }
    bool IsShortCut(WORD key, unsigned shift);

private:
    MenuItem root_;
};

class PopupMenu : public Menu {
public:
    explicit PopupMenu(Component* owner) : Menu(owner) {}
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool a) { autoPopup_ = a; }
    // Shows the menu at a screen point and tracks it until it closes, then runs the chosen
    // item's OnClick.
    void Popup(int x, int y);
    // The same without running the item: the caller tidies up first, then clicks it.
    MenuItem* Track(int x, int y);
    NotifyEvent OnPopup;

private:
    bool autoPopup_ = true;
};

class Form;

class MainMenu : public Menu {
public:
    explicit MainMenu(Component* owner) : Menu(owner) {}
    ~MainMenu() override;
    // Puts the menu bar on the form (again after items changed).
    void AttachTo(Form* form);

private:
    Form* form_ = nullptr;
    HMENU menu_ = nullptr;
};

} // namespace forms
