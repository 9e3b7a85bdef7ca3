// The user's tray icons and tray menu items as the main frame reads them from the profile,
// and the command ids they get. The frame handles at most 100 of each kind, so that every id
// stays inside its own range and no entry ever gets the id of another command.
#pragma once

#include "framework/CString.h"

#include <array>
#include <optional>
#include <vector>

constexpr int kMaxUserEntries = 100;
constexpr unsigned kFirstUserMenuId = 1027;  // 1027..1126: "Tray Menus" entries
constexpr unsigned kFirstUserIconId = 1127;  // 1127..1226: "Tray Icons" entries
constexpr unsigned kLastUserItemId = kFirstUserIconId + kMaxUserEntries - 1;
static_assert(kFirstUserMenuId + kMaxUserEntries == kFirstUserIconId, "ranges touch, never overlap");

struct MenuEntry {
    CString text;     // menu text or description
    CString program;
};

struct UserIconEntry {
    CString description;
    CString program;
    CString parameters;
};

// Menu entries in order, up to the first entry whose text or program is empty, at most 100.
std::vector<MenuEntry> ReadMenuEntries(const char* texts, const char* programs);

// The 100 user icon slots: slot n holds entry n when its three items are all non-empty; an
// entry with an empty item leaves its slot empty and the walk goes on.
std::array<std::optional<UserIconEntry>, kMaxUserEntries> ReadUserIconSlots(const char* descriptions,
                                                                             const char* programs,
                                                                             const char* parameters);

// Which list a user command id reads and which entry it names.
enum class UserItemKind { None, MenuItem, TrayIcon };
struct UserItemRef {
    UserItemKind kind = UserItemKind::None;
    int index = 0;
};
UserItemRef ClassifyUserItem(unsigned id);

// Entry n of parallel program and parameter lists, walking up to it and stopping early at an
// empty program; nothing when entry n is not reached.
std::optional<MenuEntry> FindProgramEntry(const char* programs, const char* parameters, int n);
