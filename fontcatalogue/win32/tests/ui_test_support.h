// What the in-process Wine tests of the program share: independent enumerations of the
// system's fonts and printer, raw registry access, and a fixture that starts the windows as
// the program does.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Application.h"
#include "core/settings.h"
#include "win32/glyphwell_forms.h"
#include "win32/main_form.h"
#include "win32/preview_form.h"

namespace glyphwell {
namespace testing_support {


// Family names as EnumFontFamilies (no family given) reports them, without regard to case.
inline int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(font->lfFaceName);
    return 1;
}

inline std::vector<std::string> IndependentFamilies(HDC dc) {
    std::vector<std::string> names;
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(AddFamily), reinterpret_cast<LPARAM>(&names));
    std::vector<std::string> unique;
    for (const auto& n : names)
        if (!n.empty() && std::none_of(unique.begin(), unique.end(),
                                       [&](const std::string& u) { return lstrcmpiA(u.c_str(), n.c_str()) == 0; }))
            unique.push_back(n);
    std::sort(unique.begin(), unique.end(), [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return unique;
}

inline std::vector<std::string> ScreenFamilies() {
    HDC screen = GetDC(nullptr);
    auto names = IndependentFamilies(screen);
    ReleaseDC(nullptr, screen);
    return names;
}

// The default printer straight from the spooler, or empty.
inline std::string DefaultPrinter() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 2, nullptr, 0, &needed, &count);
    char device[512] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    std::string name = device;
    return name.substr(0, name.find(','));
}

inline std::vector<std::string> PrinterFamilies() {
    const std::string name = DefaultPrinter();
    if (name.empty()) return {};
    HDC dc = CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
    auto names = IndependentFamilies(dc);
    DeleteDC(dc);
    return names;
}

inline void Pump() {
    MSG msg;
    for (int i = 0; i < 5; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// How long a state the windows should reach may take on a loaded machine; spent only when the
// state never comes.
constexpr DWORD kPatience = 30000;

// Runs the application's own message handling (keys go through the forms as the program's
// loop hands them) until done() holds; false when it did not within the patience.
template <class Done>
bool PumpUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatience) return false;
        forms::Application::Instance().ProcessMessages();
        Sleep(10);
    }
    return true;
}

// A key pressed in the window that has the focus, Shift held or not.
inline void PressKey(WORD key, bool shift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE old = state[VK_SHIFT];
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    const HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    // The key is handled before Shift is let go again.
    MSG msg;
    while (PeekMessageA(&msg, focus, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) forms::Application::Instance().ProcessMessages();
    state[VK_SHIFT] = old;
    SetKeyboardState(state);
}

inline std::string RawSetting(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
    char data[512] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return "<none>";
    // The program writes the text and two NULs; Wine's registry keeps one of them, a real
    // Windows both. Either way the stored text must end at a NUL.
    std::string raw(data, size);
    if (raw.empty() || raw.back() != '\0') return "<unterminated>";
    while (!raw.empty() && raw.back() == '\0') raw.pop_back();
    return raw;
}

inline void SetRaw(const char* name, const std::string& value) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

inline int IndexIn(const forms::ListBox* list, const std::string& name) {
    const auto& items = list->ItemList();
    auto it = std::find(items.begin(), items.end(), name);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

inline void ClearSettings() { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }

// Starts the program's windows as the program does and shows the main window.
class Glyphwell : public ::testing::Test {
protected:
    void Start() {
        CreateGlyphwellForms();
        fGlyphwell->Show();
        Pump();
        CustPreview->quietPrinting = true;
    }
    void Stop() {
        if (!fGlyphwell) return;
        forms::CloseAction action = forms::caFree;
        fGlyphwell->FormClose(fGlyphwell, action);
        FreeGlyphwellForms();
    }
    void SetUp() override { ClearSettings(); }
    void TearDown() override { Stop(); }

    std::string Status() {
        char text[256] = {};
        SendMessageA(fGlyphwell->StatusBar1->WindowHandle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        std::string s = text;
        s.erase(std::remove(s.begin(), s.end(), '\t'), s.end());
        return s;
    }
    void Select(int index) {
        fGlyphwell->LB1->SetItemIndex(index);
        fGlyphwell->LB1Click(fGlyphwell->LB1);
    }
    int IndexOf(const std::string& name) { return IndexIn(fGlyphwell->LB1, name); }
};

}  // namespace testing_support
}  // namespace glyphwell
