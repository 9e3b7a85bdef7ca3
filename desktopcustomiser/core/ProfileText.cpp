#include "ProfileText.h"

#include <cstdint>
#include <vector>

namespace {

// Blanks as the profile calls skip them; ^Z (the old end-of-file mark) counts as one.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1A';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameName(const std::string& text, size_t begin, size_t end, const std::string& name)
{
    if (end - begin != name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (Lower(text[begin + i]) != Lower(name[i]))
            return false;
    return true;
}

// One line of the file:
//
//   begin   first        last  terminator     next
//   v       v            v     v              v
//   "   BootMenu = 1      "    "\r\n"         (next line)
//
// [first, last) is the line without its surrounding blanks; a line has no terminator only at
// the end of the file.
struct Line {
    size_t begin, first, last, terminator, next;
    bool Blank() const { return first == last; }
};

std::vector<Line> SplitLines(const std::string& text)
{
    std::vector<Line> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t newline = text.find('\n', begin);
        size_t next = newline == std::string::npos ? text.size() : newline + 1;
        size_t terminator = newline == std::string::npos ? text.size() : newline;
        if (terminator > begin && text[terminator - 1] == '\r' && newline != std::string::npos)
            --terminator;
        size_t first = begin, last = terminator;
        while (first < last && IsBlank(text[first]))
            ++first;
        while (last > first && IsBlank(text[last - 1]))
            --last;
        lines.push_back({begin, first, last, terminator, next});
        begin = next;
    }
    return lines;
}

// The name of a "[name]" line (up to its last "]"), or nothing for any other line.
std::optional<std::pair<size_t, size_t>> SectionName(const std::string& text, const Line& line)
{
    if (line.Blank() || text[line.first] != '[')
        return std::nullopt;
    size_t close = text.rfind(']', line.last - 1);
    if (close == std::string::npos || close <= line.first)
        return std::nullopt;
    return std::pair{line.first + 1, close};
}

// Where a key line's name and value lie.
struct Entry {
    size_t nameEnd;     // after the name's last character
    size_t valueBegin;  // the value's first character (or where it would go)
    size_t valueEnd;
    bool hasEquals;
};

Entry EntryOf(const std::string& text, const Line& line)
{
    size_t equals = text.find('=', line.first);
    if (equals == std::string::npos || equals >= line.last)
        return {line.last, line.last, line.last, false};
    size_t nameEnd = equals;
    while (nameEnd > line.first && IsBlank(text[nameEnd - 1]))
        --nameEnd;
    size_t valueBegin = equals + 1;
    while (valueBegin < line.last && IsBlank(text[valueBegin]))
        ++valueBegin;
    return {nameEnd, valueBegin, line.last, true};
}

// The lines of the first section of the name: [header + 1, end).
struct SectionSpan {
    size_t header, end;
};

std::optional<SectionSpan> FindSection(const std::string& text, const std::vector<Line>& lines,
                                       const std::string& section)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(text, lines[i]);
        if (!name || !SameName(text, name->first, name->second, section))
            continue;
        size_t end = i + 1;
        while (end < lines.size() && !SectionName(text, lines[end]))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const std::string& text, const std::vector<Line>& lines, const SectionSpan& span,
                              const std::string& key)
{
    for (size_t i = span.header + 1; i < span.end; ++i)
        if (!lines[i].Blank() && SameName(text, lines[i].first, EntryOf(text, lines[i]).nameEnd, key))
            return i;
    return std::nullopt;
}

std::string LineEndOf(const std::string& text)
{
    size_t newline = text.find('\n');
    if (newline != std::string::npos && (newline == 0 || text[newline - 1] != '\r'))
        return "\n";
    return "\r\n";
}

// Puts added lines after the given line: after its terminator, or, on a last line without
// one, after its text (what follows it, a ^Z for one, stays last).
std::string InsertAfter(std::string text, const Line& line, const std::string& lines, const std::string& eol)
{
    if (line.terminator < line.next)
        return text.insert(line.next, lines);
    return text.insert(line.last, eol + lines.substr(0, lines.size() - eol.size()));
}

}  // namespace

std::optional<std::string> ProfileValue(const std::string& text, const std::string& section, const std::string& key)
{
    std::vector<Line> lines = SplitLines(text);
    auto span = FindSection(text, lines, section);
    if (!span)
        return std::nullopt;
    auto index = FindKey(text, lines, *span, key);
    if (!index)
        return std::nullopt;
    Entry entry = EntryOf(text, lines[*index]);
    return text.substr(entry.valueBegin, entry.valueEnd - entry.valueBegin);
}

std::string WithProfileValue(const std::string& text, const std::string& section, const std::string& key,
                             const std::string& value)
{
    std::vector<Line> lines = SplitLines(text);
    std::string eol = LineEndOf(text);
    auto span = FindSection(text, lines, section);
    if (span) {
        if (auto index = FindKey(text, lines, *span, key)) {
            Entry entry = EntryOf(text, lines[*index]);
            std::string changed = text;
            if (!entry.hasEquals)
                return changed.insert(entry.nameEnd, "=" + value);
            return changed.replace(entry.valueBegin, entry.valueEnd - entry.valueBegin, value);
        }
        size_t last = span->header;
        for (size_t i = span->header + 1; i < span->end; ++i)
            if (!lines[i].Blank())
                last = i;
        return InsertAfter(text, lines[last], key + "=" + value + eol, eol);
    }
    std::string added = "[" + section + "]" + eol + key + "=" + value + eol;
    for (size_t i = lines.size(); i-- > 0;)
        if (!lines[i].Blank())
            return InsertAfter(text, lines[i], eol + added, eol);
    // Nothing but blanks: the section goes first, before whatever closes the file.
    return added + text;
}

int ProfileNumber(const std::string& value)
{
    std::string text = value;
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
        text = text.substr(1, text.size() - 2);
    size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
        case 'x': base = 16; i += 2; break;
        case 'o': base = 8; i += 2; break;
        case 'b': base = 2; i += 2; break;
        default: break;
        }
    }
    uint32_t total = 0;  // wraps as the system's 32-bit reading does
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit = c >= '0' && c <= '9'   ? unsigned(c - '0')
                         : c >= 'a' && c <= 'z' ? unsigned(c - 'a' + 10)
                         : c >= 'A' && c <= 'Z' ? unsigned(c - 'A' + 10)
                                                : 99;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return static_cast<int>(negative ? 0u - total : total);
}
