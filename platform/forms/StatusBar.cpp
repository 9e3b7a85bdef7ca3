#include "StatusBar.h"

#include <commctrl.h>

namespace forms {

StatusBar::StatusBar(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 200, 19);
}

void StatusBar::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = STATUSCLASSNAMEA;
    // The bar keeps the bounds it is given rather than docking itself.
    p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_)
        p.style |= SBARS_SIZEGRIP;
}

void StatusBar::HandleCreated()
{
    UpdateParts();
}

void StatusBar::AddPanel(const StatusPanel& p)
{
    panels_.push_back(p);
    UpdateParts();
}

void StatusBar::SetSizeGrip(bool s)
{
    if (s == sizeGrip_) return;
    sizeGrip_ = s;
    RecreateWnd();
}

void StatusBar::UpdateParts()
{
    HWND w = WindowHandle();
    if (!w || panels_.empty())
        return;
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        x += panels_[i].width;
        edges.push_back(i + 1 == panels_.size() ? -1 : x);
    }
    SendMessageA(w, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < PanelCount(); ++i)
        UpdatePanel(i);
}

void StatusBar::SetPanelText(int i, const std::string& text)
{
    if (i < 0 || i >= PanelCount())
        throw Exception("Status panel index out of bounds");
    if (panels_[static_cast<size_t>(i)].text == text)
        return;
    panels_[static_cast<size_t>(i)].text = text;
    UpdatePanel(i);
}

void StatusBar::UpdatePanel(int i)
{
    HWND w = WindowHandle();
    if (!w)
        return;
    const StatusPanel& p = panels_[static_cast<size_t>(i)];
    WPARAM flags = static_cast<WPARAM>(i);
    if (p.bevel == pbNone) flags |= SBT_NOBORDERS;
    if (p.bevel == pbRaised) flags |= SBT_POPOUT;
    if (p.style == psOwnerDraw) {
        SendMessageA(w, SB_SETTEXTA, flags | SBT_OWNERDRAW, static_cast<LPARAM>(i));
        return;
    }
    // The bar centres text after one tab and right-aligns it after two.
    std::string text = p.alignment == taCenter ? "\t" + p.text
                       : p.alignment == taRightJustify ? "\t\t" + p.text : p.text;
    SendMessageA(w, SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

bool StatusBar::Reflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result)
{
    if (msg != WM_DRAWITEM)
        return false;
    auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    OnDrawPanel(this, static_cast<int>(dis.itemID), dis.hDC, dis.rcItem);
    result = TRUE;
    return true;
}

} // namespace forms
