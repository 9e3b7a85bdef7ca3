#include "Dialogs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "Palettrim.h"
#include "resource.h"

namespace {

std::string controlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    std::string text(size_t(length) + 1, '\0');
    GetWindowTextA(control, text.data(), length + 1);
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The information boxes have nothing to keep: OK and Cancel both just close them.
INT_PTR endOnOkOrCancel(HWND dialog, WPARAM wParam)
{
    if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
        return FALSE;
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

// A dialog opens centred over the window that opened it, kept on the work area: the system
// would place it at the corner of the owner's client area, over its menu and toolbar.
void centreOverOwner(HWND dialog)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT outer, box, work;
    if (!owner || !GetWindowRect(owner, &outer) || !GetWindowRect(dialog, &box) ||
        !SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    int x = (outer.left + outer.right - width) / 2;
    int y = (outer.top + outer.bottom - height) / 2;
    x = std::max(int(work.left), std::min(x, int(work.right) - width));
    y = std::max(int(work.top), std::min(y, int(work.bottom) - height));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        centreOverOwner(dialog);
        SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, loadString(IDS_TITLE).c_str());
        SetDlgItemTextA(dialog, IDC_ABOUT_LINE1, "Removes comments and extraneous data");
        SetDlgItemTextA(dialog, IDC_ABOUT_LINE2, "from GIF87a and GIF89a files.");
        SetDlgItemTextA(dialog, IDC_ABOUT_LINE3, "Files are rewritten only when needed;");
        SetDlgItemTextA(dialog, IDC_ABOUT_LINE4, "images are kept exactly as they were.");
        return TRUE;
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    }
    return FALSE;
}

INT_PTR CALLBACK generalInfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        centreOverOwner(dialog);
        char text[2048];
        LoadStringA(app().instance, IDS_GENERALINFO, text, sizeof text);
        SetDlgItemTextA(dialog, IDC_GENERALINFO_TEXT, text);
        return TRUE;
    }
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    }
    return FALSE;
}

INT_PTR CALLBACK addCommentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    StripDriver& driver = app().driver;
    switch (message) {
    case WM_INITDIALOG: {
        centreOverOwner(dialog);
        HWND edit = GetDlgItem(dialog, IDC_COMMENT_EDIT);
        SetWindowTextA(edit, driver.hasOwnComment ? driver.ownComment.c_str() : "");
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE; // the focus was set here
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_COMMENT_CLEAR: {
            HWND edit = GetDlgItem(dialog, IDC_COMMENT_EDIT);
            SendMessageA(edit, EM_SETSEL, 0, -1);
            SendMessageA(edit, WM_CLEAR, 0, 0);
            return TRUE;
        }
        case IDOK: {
            std::string text = controlText(dialog, IDC_COMMENT_EDIT);
            driver.hasOwnComment = !text.empty();
            driver.ownComment = text;
            setPane(9, text.empty() ? " " : "IC");
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK displayTimeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    StripOptions& options = app().driver.options;
    switch (message) {
    case WM_INITDIALOG: {
        centreOverOwner(dialog);
        char text[64];
        std::snprintf(text, sizeof text, "%g", options.displayTime);
        SetDlgItemTextA(dialog, IDC_DISPLAYTIME_EDIT, text);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char text[30] = "";
            GetDlgItemTextA(dialog, IDC_DISPLAYTIME_EDIT, text, sizeof text);
            options.displayTime = parseDisplayTime(text, options.displayTime);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
