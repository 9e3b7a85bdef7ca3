#include "UserEntries.h"

#include "PipeList.h"

std::vector<MenuEntry> ReadMenuEntries(const char* texts, const char* programs)
{
    std::vector<MenuEntry> entries;
    PipeListReader textList(texts), programList(programs);
    while (static_cast<int>(entries.size()) < kMaxUserEntries) {
        CString text = textList.Next();
        CString program = programList.Next();
        if (text.IsEmpty() || program.IsEmpty())
            break;
        entries.push_back({text, program});
    }
    return entries;
}

std::array<std::optional<UserIconEntry>, kMaxUserEntries> ReadUserIconSlots(const char* descriptions,
                                                                             const char* programs,
                                                                             const char* parameters)
{
    std::array<std::optional<UserIconEntry>, kMaxUserEntries> slots;
    PipeListReader d(descriptions), p(programs), a(parameters);
    for (auto& slot : slots) {
        UserIconEntry entry{d.Next(), p.Next(), a.Next()};
        if (!entry.description.IsEmpty() && !entry.program.IsEmpty() && !entry.parameters.IsEmpty())
            slot = entry;
    }
    return slots;
}

UserItemRef ClassifyUserItem(unsigned id)
{
    if (id >= kFirstUserMenuId && id < kFirstUserIconId)
        return {UserItemKind::MenuItem, static_cast<int>(id - kFirstUserMenuId)};
    if (id >= kFirstUserIconId && id <= kLastUserItemId)
        return {UserItemKind::TrayIcon, static_cast<int>(id - kFirstUserIconId)};
    return {};
}

std::optional<MenuEntry> FindProgramEntry(const char* programs, const char* parameters, int n)
{
    if (n < 0)
        return std::nullopt;
    PipeListReader p(programs), a(parameters);
    for (int i = 0;; ++i) {
        MenuEntry entry{a.Next(), p.Next()};  // text holds the parameters here
        if (entry.program.IsEmpty())
            return std::nullopt;
        if (i == n)
            return entry;
    }
}
