#include "Screen.h"

#include "Application.h"
#include "Form.h"

#include <cstdlib>
#include <vector>

namespace forms {

Screen& Screen::Instance()
{
    static Screen screen;
    return screen;
}

Form* Screen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (Form* f : Application::Instance().Forms())
        if (f->WindowHandle() == active)
            return f;
    return nullptr;
}

// The drag cursors are drawn here: an arrow with one page (or three stacked pages) below it,
// and a crossed circle where a drop is refused.
HCURSOR Screen::MakeDragCursor(bool multi, bool noDrop)
{
    const int w = GetSystemMetrics(SM_CXCURSOR), h = GetSystemMetrics(SM_CYCURSOR);
    const int stride = (w + 15) / 16 * 2;
    std::vector<BYTE> andMask(static_cast<size_t>(stride * h), 0xFF), xorMask(static_cast<size_t>(stride * h), 0);
    auto put = [&](int x, int y, bool black) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        size_t i = static_cast<size_t>(y * stride + x / 8);
        BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
        andMask[i] &= static_cast<BYTE>(~bit);
        if (black) xorMask[i] &= static_cast<BYTE>(~bit); else xorMask[i] |= bit;
    };
    // Arrow: a black outline with a white inside.
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x <= y && x < 8; ++x)
            put(x, y, x == 0 || x == y || y == 11);
    if (noDrop) {
        for (int y = 12; y < 28; ++y)
            for (int x = 4; x < 20; ++x) {
                int dx = x - 12, dy = y - 20, d = dx * dx + dy * dy;
                if ((d <= 64 && d >= 36) || (d < 36 && std::abs(dx - dy) <= 1))
                    put(x, y, true);
            }
    } else {
        int pages = multi ? 3 : 1;
        for (int p = pages - 1; p >= 0; --p) {
            int ox = 6 + p * 3, oy = 14 + p * 3;
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 8; ++x)
                    put(ox + x, oy + y, x == 0 || y == 0 || x == 7 || y == 9);
        }
    }
    return CreateCursor(GetModuleHandleA(nullptr), 0, 0, w, h, andMask.data(), xorMask.data());
}

HCURSOR Screen::Cursors(Cursor c)
{
    auto it = cursors_.find(c);
    if (it != cursors_.end())
        return it->second;
    HCURSOR h = nullptr;
    switch (c) {
    case crDrag: h = MakeDragCursor(false, false); break;
    case crMultiDrag: h = MakeDragCursor(true, false); break;
    case crNoDrop: h = LoadCursorA(nullptr, IDC_NO); break;
    case crSizeWE: h = LoadCursorA(nullptr, IDC_SIZEWE); break;
    case crHourGlass: h = LoadCursorA(nullptr, IDC_WAIT); break;
    case crIBeam: h = LoadCursorA(nullptr, IDC_IBEAM); break;
    case crCross: h = LoadCursorA(nullptr, IDC_CROSS); break;
    default: h = LoadCursorA(nullptr, IDC_ARROW); break;
    }
    cursors_[c] = h;
    return h;
}

} // namespace forms
