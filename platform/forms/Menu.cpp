#include "Menu.h"

#include "Application.h"
#include "Control.h"
#include "Form.h"
#include "Screen.h"

#include <unordered_map>

namespace forms {
namespace {

std::unordered_map<UINT, MenuItem*>& Commands()
{
    static std::unordered_map<UINT, MenuItem*> map;
    return map;
}

UINT NextCommand()
{
    static UINT next = 100;
    return next++;
}

std::string KeyName(WORD key)
{
    if (key >= VK_F1 && key <= VK_F12) {
        char buf[8];
        wsprintfA(buf, "F%d", key - VK_F1 + 1);
        return buf;
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    switch (key) {
    case VK_DELETE: return "Del";
    case VK_INSERT: return "Ins";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    default: return std::string();
    }
}

} // namespace

std::string ShortCutToText(ShortCut s)
{
    if (!s)
        return std::string();
    std::string text;
    text.reserve(24);
    if (s & scShift) text.append("Shift+");
    if (s & scCtrl) text.append("Ctrl+");
    if (s & scAlt) text.append("Alt+");
    text.append(KeyName(static_cast<WORD>(s & 0xFF)));
    return text;
}

MenuItem::MenuItem(Component* owner) : Component(owner), command_(NextCommand())
{
    Commands()[command_] = this;
}

MenuItem::~MenuItem()
{
    Commands().erase(command_);
    if (parentItem_) {
        auto& sib = parentItem_->items_;
        for (size_t i = 0; i < sib.size(); ++i)
            if (sib[i] == this) {
                sib.erase(sib.begin() + static_cast<long>(i));
                break;
            }
    }
    for (MenuItem* i : items_)
        i->parentItem_ = nullptr;
}

void MenuItem::Add(MenuItem* item)
{
    item->parentItem_ = this;
    items_.push_back(item);
}

void MenuItem::Click() { OnClick(this); }

void MenuItem::AppendTo(HMENU menu) const
{
    for (const MenuItem* item : items_) {
        if (!item->visible_)
            continue;
        if (item->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item->caption_;
        if (item->shortCut_) {
            text.push_back('\t');
            text.append(ShortCutToText(item->shortCut_));
        }
        UINT flags = MF_STRING | (item->enabled_ ? 0 : MF_GRAYED) | (item->checked_ ? MF_CHECKED : 0);
        if (!item->items_.empty()) {
            HMENU sub = CreatePopupMenu();
            item->AppendTo(sub);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            AppendMenuA(menu, flags, item->command_, text.c_str());
        }
    }
}

bool MenuItem::FindShortCut(ShortCut s)
{
    for (MenuItem* item : items_) {
        if (item->shortCut_ == s && item->enabled_ && item->visible_ && item->items_.empty()) {
            item->Click();
            return true;
        }
        if (item->FindShortCut(s))
            return true;
    }
    return false;
}

MenuItem* MenuItem::FindCommand(UINT command)
{
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

bool MenuItem::DispatchCommand(UINT command)
{
    auto it = Commands().find(command);
    if (it == Commands().end())
        return false;
    it->second->Click();
    return true;
}

Menu::Menu(Component* owner) : Component(owner), root_(nullptr) {}

bool Menu::IsShortCut(WORD key, unsigned shift)
{
    ShortCut s = key;
    if (shift & ssShift) s |= scShift;
    if (shift & ssCtrl) s |= scCtrl;
    if (shift & ssAlt) s |= scAlt;
    return root_.FindShortCut(s);
}

void PopupMenu::Popup(int x, int y)
{
    if (MenuItem* item = Track(x, y))
        item->Click();
}

MenuItem* PopupMenu::Track(int x, int y)
{
    OnPopup(this);
    HMENU menu = CreatePopupMenu();
    Items()->AppendTo(menu);
    HWND owner = Application::Instance().Handle();
    Form* f = Screen::Instance().ActiveForm();
    if (!f)
        f = Application::Instance().MainForm();
    if (f && f->WindowHandle())
        owner = f->WindowHandle();
    UINT cmd = static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                                x, y, 0, owner, nullptr));
    DestroyMenu(menu);
    return cmd ? MenuItem::FindCommand(cmd) : nullptr;
}

MainMenu::~MainMenu()
{
    if (form_ && form_->WindowHandle())
        SetMenu(form_->WindowHandle(), nullptr);
    if (menu_)
        DestroyMenu(menu_);
}

void MainMenu::AttachTo(Form* form)
{
    form_ = form;
    HMENU bar = CreateMenu();
    Items()->AppendTo(bar);
    SetMenu(form->Handle(), bar);
    if (menu_)
        DestroyMenu(menu_);
    menu_ = bar;
    DrawMenuBar(form->Handle());
}

} // namespace forms
