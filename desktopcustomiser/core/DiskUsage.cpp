#include "DiskUsage.h"

#include "HelperText.h"
#include "PipeList.h"

#include <algorithm>
#include <utility>

namespace {

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

std::string ExtensionOf(const std::string& fileName)
{
    size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

}  // namespace

std::string TrimBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

CString WholeNumberText(uint64_t value)
{
    CString text;
    text.Format("%llu", static_cast<unsigned long long>(value));
    InsertThousandsSeparators(text);
    return text;
}

CString MegabyteText(uint64_t bytes)
{
    CString text;
    FormatNumber(text, static_cast<double>(bytes) / 1048576.0, 2, true);
    return text;
}

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

std::string NormalizeExtensionList(const std::string& list, const TextLowerer& lower)
{
    return TrimBlanks(IsAscii(list) ? LowerAscii(list) : lower(list));
}

std::string ExtensionListDisplay(const std::string& list)
{
    return list == "*" ? "all (*.*)" : list;
}

bool ExtensionMatches(const std::string& list, const std::string& fileName, const TextLowerer& lower)
{
    if (list == "*")
        return true;
    // Most names are ASCII: the platform's lower-casing is asked only for the others.
    std::string extension = ExtensionOf(fileName);
    extension = IsAscii(extension) ? LowerAscii(std::move(extension)) : lower(extension);
    if (list.find(' ') == std::string::npos)
        return list == extension;
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t end = list.find(' ', pos);
        if (end == std::string::npos)
            end = list.size();
        // Two blanks in a row make an empty word; it does not stand for "no extension".
        if (end > pos && list.compare(pos, end - pos, extension) == 0)
            return true;
        pos = end + 1;
    }
    return false;
}

const std::string& WalkName(const FolderEntry& entry)
{
    bool standIn = !entry.nameExact || entry.name.find('?') != std::string::npos;
    return standIn && !entry.shortName.empty() ? entry.shortName : entry.name;
}

bool EntryMatches(const std::string& list, const FolderEntry& entry, const TextLowerer& lower)
{
    if (list == "*")
        return true;
    if (!entry.nameExact && !entry.extensionExact)
        return false;  // no list typed in the code page can name that extension
    return ExtensionMatches(list, entry.name, lower);
}

namespace {

bool FitsListing(const std::string& base)
{
    return base.size() + 3 <= kMaxListingPattern;  // base + "*.*"
}

class TreeWalk {
public:
    TreeWalk(const std::string& extensions, const FolderWalk& walk, UsageTotals& totals)
        : m_extensions(extensions), m_walk(walk), m_totals(totals)
    {
    }

    // base: how the folder is listed; shortBase: the same folder by short names only. Both end
    // in "\".
    ScanResult Folder(const std::string& shown, const std::string& base, const std::string& shortBase)
    {
        if (!m_walk.keepGoing())
            return ScanResult::aborted;
        m_walk.onFolder(shown);
        bool aborted = false;
        bool listed = m_walk.list(base, [&](const FolderEntry& entry) {
            if (!m_walk.keepGoing()) {
                aborted = true;
                return false;
            }
            if (entry.isFolder) {
                if (entry.name == "." || entry.name == ".." || entry.isLink)
                    return true;
                aborted = SubFolder(entry, base, shortBase) == ScanResult::aborted;
                return !aborted;
            }
            ++m_totals.totalCount;
            m_totals.totalBytes += entry.size;
            if (EntryMatches(m_extensions, entry, m_walk.lower)) {
                ++m_totals.matchCount;
                m_totals.matchBytes += entry.size;
            }
            return true;
        });
        if (aborted)
            return ScanResult::aborted;
        return listed ? ScanResult::done : ScanResult::notListed;
    }

private:
    ScanResult SubFolder(const FolderEntry& entry, const std::string& base, const std::string& shortBase)
    {
        const std::string& name = WalkName(entry);
        std::string child = base + name;
        std::string shortChild = shortBase + (entry.shortName.empty() ? name : entry.shortName);
        ScanResult result = ScanResult::notListed;
        if (FitsListing(child + '\\'))
            result = Folder(child, child + '\\', shortChild + '\\');
        // A name that cannot be opened, or a path too long for a listing, gets its short form.
        if (result == ScanResult::notListed && shortChild != child && FitsListing(shortChild + '\\'))
            result = Folder(shortChild, shortChild + '\\', shortChild + '\\');
        // A folder listed by neither (unreadable, or too deep) is counted, so that the figures
        // are not taken as the whole tree's.
        if (result == ScanResult::notListed) {
            ++m_totals.unreachableFolders;
            return ScanResult::done;
        }
        return result;
    }

    const std::string& m_extensions;
    const FolderWalk& m_walk;
    UsageTotals& m_totals;
};

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

}  // namespace

ScanResult ScanFolderTree(const std::string& folder, const std::string& extensions, const FolderWalk& walk,
                          UsageTotals& totals)
{
    std::string base = WithSeparator(folder);
    return TreeWalk(extensions, walk, totals).Folder(folder, base, base);
}

uint64_t UsagePercent(uint64_t matchBytes, uint64_t totalBytes)
{
    if (totalBytes == 0)
        return 0;
    // Whole numbers only: a double product gives 28 for 29 of 100. Past 2^57 bytes the
    // product would overflow, so scale both first.
    while (matchBytes > UINT64_MAX / 100) {
        matchBytes >>= 1;
        totalBytes >>= 1;
    }
    return matchBytes * 100 / totalBytes;
}

UsageTexts MakeUsageTexts(const UsageTotals& totals)
{
    UsageTexts texts;
    texts.matchCount = WholeNumberText(totals.matchCount);
    texts.totalCount = WholeNumberText(totals.totalCount);
    texts.matchMegabytes = MegabyteText(totals.matchBytes);
    texts.totalMegabytes = MegabyteText(totals.totalBytes);
    texts.percent = WholeNumberText(UsagePercent(totals.matchBytes, totals.totalBytes));
    return texts;
}

std::vector<UsageRecord> ParseUsageLists(const UsageLists& lists, UsageLists* kept)
{
    // The loading order of the columns after the first: path, counts, sizes, percentage.
    PipeListReader extensions(lists.extensions.c_str()), paths(lists.paths.c_str()), counts(lists.counts.c_str()),
        sizes(lists.sizes.c_str()), totalCounts(lists.totalCounts.c_str()), totalSizes(lists.totalSizes.c_str()),
        percents(lists.percents.c_str());
    struct Source {
        PipeListReader* reader;
        int column;
    };
    const Source rest[] = {{&paths, 1}, {&counts, 2}, {&sizes, 4}, {&totalCounts, 3}, {&totalSizes, 5}, {&percents, 6}};
    // Each list from where its loading stopped; the list that ran out keeps its empty item.
    auto keep = [&](const PipeListReader* stopped, const CString& stoppedRest) {
        if (!kept)
            return;
        auto from = [&](const PipeListReader& reader) {
            return std::string(&reader == stopped ? stoppedRest.c_str() : reader.Rest().c_str());
        };
        *kept = {from(extensions), from(paths),  from(counts), from(totalCounts),
                 from(sizes),      from(totalSizes), from(percents)};
    };
    std::vector<UsageRecord> records;
    for (;;) {
        CString before = extensions.Rest();
        CString first = extensions.Next();
        if (first.IsEmpty()) {
            keep(&extensions, before);
            break;
        }
        UsageRecord record(kUsageColumns);
        record[0] = TrimBlanks(static_cast<const char*>(first));
        for (const Source& source : rest) {
            CString itemRest = source.reader->Rest();
            CString item = source.reader->Next();
            if (item.IsEmpty()) {
                records.push_back(record);  // the row was shown before its columns ran out
                keep(source.reader, itemRest);
                return records;
            }
            record[size_t(source.column)] = TrimBlanks(static_cast<const char*>(item));
        }
        records.push_back(record);
    }
    return records;
}

UsageLists BuildUsageLists(const std::vector<UsageRecord>& records)
{
    UsageLists lists;
    std::string* targets[kUsageColumns] = {&lists.extensions, &lists.paths,  &lists.counts,  &lists.totalCounts,
                                           &lists.sizes,      &lists.totalSizes, &lists.percents};
    for (const UsageRecord& record : records) {
        for (int column = 0; column < kUsageColumns; ++column) {
            const std::string& text = size_t(column) < record.size() ? record[size_t(column)] : std::string();
            *targets[column] += (text.empty() ? std::string(" ") : text) + "|";
        }
    }
    return lists;
}

namespace {

// The stored lists in column order.
const char* const kUsageListNames[kUsageColumns] = {"Extension List", "Path List",       "NumFile List",
                                                    "Total NumFile List", "Size List", "Total Size List",
                                                    "Percent List"};
std::string UsageLists::*const kUsageListMembers[kUsageColumns] = {
    &UsageLists::extensions, &UsageLists::paths,      &UsageLists::counts,  &UsageLists::totalCounts,
    &UsageLists::sizes,      &UsageLists::totalSizes, &UsageLists::percents};

}  // namespace

UsagePageRead ReadUsagePage(ProfileStore& profile)
{
    UsagePageRead read;
    UsageLists lists;
    for (int column = 0; column < kUsageColumns; ++column) {
        read.stored[column] = ReadProfileValue(profile, "Disk Usage", kUsageListNames[column]);
        lists.*kUsageListMembers[column] = StoredText(read.stored[column]).value_or("");
    }
    read.records = ParseUsageLists(lists, &read.kept);
    return read;
}

WritePlan PlanUsageSave(ProfileStore& profile, const UsagePageRead& read, const std::vector<UsageRecord>& records)
{
    WritePlan plan;
    std::vector<UsageRecord> left = records, shown = read.records;
    std::sort(left.begin(), left.end());
    std::sort(shown.begin(), shown.end());
    if (left == shown)
        return plan;
    UsageLists lists = BuildUsageLists(records);
    for (int column = 0; column < kUsageColumns; ++column) {
        const char* name = kUsageListNames[column];
        PlanText(plan, std::string("Disk Usage\\") + name, ProfileValuePut(profile, "Disk Usage", name),
                 read.stored[column], StoredText(read.stored[column]).value_or(""),
                 lists.*kUsageListMembers[column] + read.kept.*kUsageListMembers[column]);
    }
    return plan;
}

UsageInputFault CheckUsageRecordInput(const std::string& extensions, const std::string& path)
{
    if (extensions.find('|') != std::string::npos || path.find('|') != std::string::npos)
        return UsageInputFault::pipe;
    if (TrimBlanks(path).empty())
        return UsageInputFault::emptyPath;
    return UsageInputFault::none;
}

const char* DriveTypeText(unsigned driveType)
{
    switch (driveType) {
    case 2: return "Removable Drive";
    case 3: return "Fixed Drive";
    case 4: return "Network Drive";
    case 5: return "CD-ROM";
    case 6: return "RAM Drive";
    default: return "Unknown";
    }
}

bool DriveTypeIsRemovable(unsigned driveType)
{
    return driveType == 2 || driveType == 5;
}

std::string SerialNumberText(uint32_t serial)
{
    char digits[16];
    snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(serial));
    std::string text = digits;
    if (text.size() == 8)
        text = text.substr(0, 4) + "-" + text.substr(4);
    return text;
}
