#include "TIEPanel.h"

#include <Application.h>

namespace platterly {
namespace {
bool g_overGrip = false;

void Refuse(const char* text)
{
    MessageBoxA(GetActiveWindow(), text, forms::Application::Instance().Title().c_str(), MB_OK);
}
} // namespace

bool TIEPanel::OverGrip() { return g_overGrip; }

TIEPanel::TIEPanel(forms::Component* owner) : Panel(owner)
{
    collapsed_ = false;
    collapsedWidth_ = 12;
    SetAlign(forms::alLeft);
    expandedWidth_ = Width();
    SetCaption("");
}

void TIEPanel::SetCollapsed(bool c)
{
    collapsed_ = c;
    SetWidth(c ? collapsedWidth_ : expandedWidth_);
    Invalidate();
}

void TIEPanel::SetCollapsedWidth(int w)
{
    if (w >= 12)
        collapsedWidth_ = w;
    else
        Refuse("Collapsedwidth must be equal or greater than 12!");
    Invalidate();
}

void TIEPanel::SetExpandedWidth(int w)
{
    if (w >= 64)
        expandedWidth_ = w;
    else
        Refuse("ExpandedWidth must be equal or greater than 64!");
    Invalidate();
}

void TIEPanel::MouseMove(unsigned shift, int x, int y)
{
    g_overGrip = x >= 3 && x <= 8 && y >= 3 && y <= Height() - 3;
    SetCursor(g_overGrip ? forms::crSizeWE : forms::crDefault);
    Panel::MouseMove(shift, x, y);
}

void TIEPanel::Click()
{
    Panel::Click();
    if (g_overGrip)
        SetCollapsed(!collapsed_);
}

void TIEPanel::DrawGrip(HDC dc, int x, int y)
{
    const int h = Height();
    forms::Pen hi(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    forms::Pen sh(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    {
        forms::SelectGuard g(dc, hi.Get());
        MoveToEx(dc, x + 3, y + 3, nullptr);
        LineTo(dc, x + 5, y + 3);
        MoveToEx(dc, x + 3, y + 3, nullptr);
        LineTo(dc, x + 3, y + h - 4);
    }
    forms::SelectGuard g(dc, sh.Get());
    MoveToEx(dc, x + 3, y + h - 4, nullptr);
    LineTo(dc, x + 5, y + h - 4);
    MoveToEx(dc, x + 5, y + 4, nullptr);
    LineTo(dc, x + 5, y + h - 3);
}

void TIEPanel::Paint(HDC dc)
{
    Panel::Paint(dc);
    DrawGrip(dc, 0, 0);
    DrawGrip(dc, 3, 0);
}

} // namespace platterly
