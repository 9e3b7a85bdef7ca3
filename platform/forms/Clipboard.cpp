#include "Clipboard.h"

#include <windows.h>

#include <cstring>

namespace forms {
namespace clipboard {

namespace {
UINT RichTextFormat() { return RegisterClipboardFormatA("Rich Text Format"); }

bool Put(UINT format, const std::string& data)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, data.size() + 1);
    if (!memory)
        return false;
    char* p = static_cast<char*>(GlobalLock(memory));
    std::memcpy(p, data.data(), data.size());
    p[data.size()] = '\0';
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

std::string Get(UINT format)
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text.assign(p, strnlen(p, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
} // namespace

bool SetText(const std::string& text, HWND owner)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const bool ok = Put(CF_TEXT, text);
    CloseClipboard();
    return ok;
}

bool SetRichText(const std::string& rtf, const std::string& plain, HWND owner)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const bool ok = Put(RichTextFormat(), rtf) && Put(CF_TEXT, plain);
    CloseClipboard();
    return ok;
}

std::string GetText() { return Get(CF_TEXT); }
std::string GetRichText() { return Get(RichTextFormat()); }

} // namespace clipboard
} // namespace forms
