// The rules of the disk usage records: which files match an extension list, the walk of a
// folder tree over any directory listing, the texts of a finished scan, and the seven parallel
// lists a record set is stored in. Portable, so the Win32 page stays a thin shell over it.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Blanks trimmed at both ends.
std::string TrimBlanks(const std::string& text);
// A number with "," thousands separators; bytes as megabytes with two decimals and separators.
CString WholeNumberText(uint64_t value);
CString MegabyteText(uint64_t bytes);

// Lower case, blanks trimmed at both ends (blanks inside are kept).
std::string NormalizeExtensionList(const std::string& list);
// The status line's form of the list: "*" is "all (*.*)".
std::string ExtensionListDisplay(const std::string& list);
// Whether a file name matches an already normalised list: "*" matches everything, a list with
// blanks matches any of its words, any other list matches exactly (an empty list matches the
// names without an extension). Case is ignored.
bool ExtensionMatches(const std::string& list, const std::string& fileName);

struct UsageTotals {
    uint32_t matchCount = 0;
    uint32_t totalCount = 0;
    uint64_t matchBytes = 0;
    uint64_t totalBytes = 0;
};

struct FolderEntry {
    std::string name;       // as the walk must use it to reach the entry
    bool isFolder = false;
    bool isLink = false;    // a reparse point or link: never followed
    uint64_t size = 0;
};

// Lists one folder (given with its trailing "\"); false when it cannot be listed. visit returns
// false to stop the listing early.
using FolderLister = std::function<bool(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit)>;

// Walks the tree at folder, adding every file to the totals. keepGoing is asked before every
// entry (the place to let the window breathe and to notice an abort); entering a folder is
// reported to onFolder. Returns false when keepGoing said stop.
bool ScanFolderTree(const std::string& folder, const std::string& extensions, const FolderLister& lister,
                    const std::function<bool()>& keepGoing, const std::function<void(const std::string&)>& onFolder,
                    UsageTotals& totals);

// The columns of a finished scan: counts with thousands separators, megabytes with two
// decimals, and the whole-number share of the matching bytes ("0" when there are none at all).
struct UsageTexts {
    CString matchCount, totalCount, matchMegabytes, totalMegabytes, percent;
};
UsageTexts MakeUsageTexts(const UsageTotals& totals);
uint64_t UsagePercent(uint64_t matchBytes, uint64_t totalBytes);

// A record as its seven columns, in column order: extensions, path, "#", "Total #", "MB",
// "Total MB", "%".
constexpr int kUsageColumns = 7;
using UsageRecord = std::vector<std::string>;

// The seven stored lists, named as in the profile.
struct UsageLists {
    std::string extensions, paths, counts, totalCounts, sizes, totalSizes, percents;
};
// Loading stops at the first record with a missing column, as the stored form requires.
std::vector<UsageRecord> ParseUsageLists(const UsageLists& lists);
// An empty column is stored as one blank, which loads back as empty: an empty item would end
// the loading and lose every later record.
UsageLists BuildUsageLists(const std::vector<UsageRecord>& records);

// What the data dialog refuses: an empty path (it would scan the current drive and cannot be
// stored), and "|" in either field (it would break the stored lists).
enum class UsageInputFault { none, emptyPath, pipe };
UsageInputFault CheckUsageRecordInput(const std::string& extensions, const std::string& path);

// Drive information texts.
const char* DriveTypeText(unsigned driveType);
bool DriveTypeIsRemovable(unsigned driveType);
// Upper-case hexadecimal; eight digits become "XXXX-XXXX".
std::string SerialNumberText(uint32_t serial);
