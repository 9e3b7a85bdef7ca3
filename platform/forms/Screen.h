// Screen metrics and the cursor table.
#pragma once

#include "Control.h"

#include <windows.h>

#include <map>

namespace forms {

class Screen {
public:
    static Screen& Instance();
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    HCURSOR Cursors(Cursor c);
    Form* ActiveForm() const;

private:
    Screen() = default;
    HCURSOR MakeDragCursor(bool multi, bool noDrop);
    std::map<int, HCURSOR> cursors_;
};

} // namespace forms
