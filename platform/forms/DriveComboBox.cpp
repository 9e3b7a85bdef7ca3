#include "DriveComboBox.h"

#include <cctype>

namespace forms {

DriveComboBox::DriveComboBox(Component* owner) : Control(owner)
{
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
    ReadDrives();
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    drive_ = static_cast<char>(std::tolower(static_cast<unsigned char>(cwd[0])));
}

void DriveComboBox::ReadDrives()
{
    items_.clear();
    letters_.clear();
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        char letter = static_cast<char>('a' + i);
        char root[4] = {static_cast<char>('A' + i), ':', '\\', 0};
        std::string text = std::string(1, letter) + ":";
        UINT type = GetDriveTypeA(root);
        // Only fixed and RAM disks are asked for their label: removable ones may hold no medium.
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
            char label[MAX_PATH] = {};
            if (GetVolumeInformationA(root, label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) &&
                label[0]) {
                text.append(" ");
                text.append(label);
            }
        }
        items_.push_back(text);
        letters_.push_back(letter);
    }
}

void DriveComboBox::GetWindowParams(WindowParams& p)
{
    Control::GetWindowParams(p);
    p.className = "COMBOBOX";
    p.style |= CBS_DROPDOWNLIST | WS_VSCROLL;
}

void DriveComboBox::HandleCreated()
{
    HWND w = WindowHandle();
    // The window's height includes its dropped list.
    SetWindowPos(w, nullptr, 0, 0, Width(), Height() + 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const std::string& s : items_)
        SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    SelectDrive();
}

void DriveComboBox::SelectDrive()
{
    HWND w = WindowHandle();
    if (!w)
        return;
    for (size_t i = 0; i < letters_.size(); ++i)
        if (letters_[i] == drive_)
            SendMessageA(w, CB_SETCURSEL, i, 0);
}

void DriveComboBox::SetDrive(char letter)
{
    drive_ = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    SelectDrive();
}

bool DriveComboBox::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg != WM_COMMAND || HIWORD(wp) != CBN_SELCHANGE)
        return false;
    LRESULT i = SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0);
    if (i >= 0 && static_cast<size_t>(i) < letters_.size() && letters_[static_cast<size_t>(i)] != drive_) {
        drive_ = letters_[static_cast<size_t>(i)];
        OnChange(this);
    }
    result = 0;
    return true;
}

} // namespace forms
