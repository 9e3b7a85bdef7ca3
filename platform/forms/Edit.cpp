#include "Edit.h"

namespace forms {

Edit::Edit(Component* owner) : Control(owner)
{
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
}

void Edit::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = "EDIT";
    p.style |= ES_AUTOHSCROLL;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

std::string Edit::Text()
{
    HWND w = WindowHandle();
    if (!w)
        return Caption();
    const int length = GetWindowTextLengthA(w);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(w, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

LRESULT Edit::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETFOCUS) {
        // Entered from the keyboard, the whole text is selected, so typing replaces it; a click
        // places the caret where it points instead.
        LRESULT r = Control::WndProc(msg, wp, lp);
        if (GetKeyState(VK_LBUTTON) >= 0)
            SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
        return r;
    }
    if (msg == WM_CHAR) {
        char key = static_cast<char>(wp);
        OnKeyPress(this, key);
        if (key == 0)
            return 0;
        wp = static_cast<unsigned char>(key);
    }
    return Control::WndProc(msg, wp, lp);
}

bool Edit::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        OnChange(this);
        result = 0;
        return true;
    }
    return false;
}

} // namespace forms
