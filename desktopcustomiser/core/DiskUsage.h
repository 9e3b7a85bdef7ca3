// The rules of the disk usage records: which files match an extension list, the walk of a
// folder tree over any directory listing, the texts of a finished scan, and the seven parallel
// lists a record set is stored in. Portable, so the Win32 page stays a thin shell over it.
#pragma once

#include "SavePlan.h"
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

// Lower-cases text by the rules of the code page it is in: on Windows the platform's own
// lower-casing, which knows the letters past ASCII (and never splits a double-byte character).
using TextLowerer = std::function<std::string(const std::string&)>;
// ASCII letters only: enough for text that is all ASCII, and what tests use when they need no
// code page.
std::string LowerAscii(std::string text);

// Lower case by the code page's rules, blanks trimmed at both ends (blanks inside are kept).
std::string NormalizeExtensionList(const std::string& list, const TextLowerer& lower);
// The status line's form of the list: "*" is "all (*.*)".
std::string ExtensionListDisplay(const std::string& list);
// Whether a file name matches an already normalised list: "*" matches everything, a list with
// blanks matches any of its words, any other list matches exactly (an empty list matches the
// names without an extension). The name's extension is lower-cased by the same rules as the list.
bool ExtensionMatches(const std::string& list, const std::string& fileName, const TextLowerer& lower);

struct UsageTotals {
    uint32_t matchCount = 0;
    uint32_t totalCount = 0;
    uint64_t matchBytes = 0;
    uint64_t totalBytes = 0;
    // Sub folders not reached: they cannot be listed (unreadable), or even by short names their
    // path is too long for a listing.
    uint32_t unreachableFolders = 0;
};

struct FolderEntry {
    std::string name;           // the long name in the code page: a best-fit stand-in when not exact
    std::string shortName;      // the 8.3 name; empty when the long name is one
    bool nameExact = true;      // the long name converts back to itself
    bool extensionExact = true; // so does the text after its last "."
    bool isFolder = false;
    bool isLink = false;    // a reparse point or link: never followed
    uint64_t size = 0;
};

// The longest listing pattern (folder, "\" and "*.*") the platform's file search takes.
constexpr size_t kMaxListingPattern = 259;

// The name that reaches an entry: the long name when it converts back to itself, else the
// short name (a stand-in such as "Omega.dir" names some other folder, or none).
const std::string& WalkName(const FolderEntry& entry);
// Whether a file counts for a normalised list: a name whose extension has no equivalent in the
// code page matches only "*".
bool EntryMatches(const std::string& list, const FolderEntry& entry, const TextLowerer& lower);

// Lists one folder (given with its trailing "\"); false when it cannot be listed (a folder
// without entries is listed). visit returns false to stop the listing early.
using FolderLister = std::function<bool(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit)>;

struct FolderWalk {
    FolderLister list;
    std::function<bool()> keepGoing;                     // asked before every entry: abort check
    std::function<void(const std::string&)> onFolder;    // each folder entered, as it is listed
    TextLowerer lower;
};

enum class ScanResult { done, aborted, notListed };
// Walks the tree at folder, adding every file to the totals. A sub folder is reached by the
// names of WalkName while its path fits a listing, else by short names only; one that cannot
// be listed by either contributes no files and counts as unreachable. notListed: the folder itself cannot be listed (it
// no longer exists), and the totals are not to be taken as its figures.
ScanResult ScanFolderTree(const std::string& folder, const std::string& extensions, const FolderWalk& walk,
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
// Loading stops at the first record with a missing column, as the stored form requires. kept,
// when given, gets each list as stored from where its loading stopped, which a page keeps and
// writes back after its records so that nothing after a damaged record is lost.
std::vector<UsageRecord> ParseUsageLists(const UsageLists& lists, UsageLists* kept = nullptr);
// An empty column is stored as one blank, which loads back as empty: an empty item would end
// the loading and lose every later record.
UsageLists BuildUsageLists(const std::vector<UsageRecord>& records);

// The page's section as read: each list as stored (in column order), the records shown and the
// rest kept; and the writes of its save: nothing while the records are those read (in any order,
// the list view sorts them), else each list whose stored text changes, keeping its type.
struct UsagePageRead {
    MaybeValue stored[kUsageColumns];
    std::vector<UsageRecord> records;
    UsageLists kept;
};
UsagePageRead ReadUsagePage(ProfileStore& profile);
WritePlan PlanUsageSave(ProfileStore& profile, const UsagePageRead& read, const std::vector<UsageRecord>& records);

// What the data dialog refuses: an empty path (it would scan the current drive and cannot be
// stored), and "|" in either field (it would break the stored lists).
enum class UsageInputFault { none, emptyPath, pipe };
UsageInputFault CheckUsageRecordInput(const std::string& extensions, const std::string& path);

// Drive information texts.
const char* DriveTypeText(unsigned driveType);
bool DriveTypeIsRemovable(unsigned driveType);
// Upper-case hexadecimal; eight digits become "XXXX-XXXX".
std::string SerialNumberText(uint32_t serial);
