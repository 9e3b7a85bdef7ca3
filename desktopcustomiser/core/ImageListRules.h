// The image changer sheet's list rules that need no window: stored lists and flags into rows
// and back, names that would break the stored list, the checks and order of a move, and the
// row Set Random picks.
#pragma once

#include "SavePlan.h"

#include <string>
#include <string_view>
#include <vector>

struct ImageRow {
    std::string path;
    bool tile = false;
    bool stretch = false;  // false without the Stretch column
    // The flag characters as stored (0 past the end of their string, or for a new row), kept
    // while the user does not change the row: a Stretch flag the page does not show stays.
    char storedTile = 0;
    char storedStretch = 0;
};

// A category's section as the page reads it: the rows it shows, and from the first entry it
// cannot show (an empty or odd one) on, the rest of "List" and of each flag string as stored,
// which it writes back after its rows so that nothing after that entry is lost.
struct ImageListRead {
    std::vector<ImageRow> rows;
    std::string listTail, tileTail, stretchTail;
};
ImageListRead LoadImageRows(std::string_view list, std::string_view tile, std::string_view stretch,
                            bool withStretch);

struct StoredImageList {
    std::string list;     // QuotedPathList
    std::string tile;     // one Y/N per entry
    std::string stretch;  // one Y/N per entry
};

// The stored form of the rows in display order, followed by what was kept. A row whose path
// would break the list (an empty path ends it at the next load, a double quote cuts it) is left
// out with its flags, so the flags stay parallel to the entries. A row's flag is its stored
// character while it matches what the row shows, and 'Y' or 'N' otherwise; a flag string ends
// after the last row that has a flag of its own, unless a kept rest follows.
StoredImageList StoreImageRows(const std::vector<ImageRow>& rows, const ImageListRead& kept = {});

// What a row becomes when the user edits it to tiled, stretched or centred: a tiled row is never
// stretched; without the Stretch column a stored stretch flag stays unless the row is tiled.
void SetImageRowStyle(ImageRow& row, bool tile, bool stretch, bool withStretch);

// A page's section as read: the values as stored, the rows and what was kept, and the random
// order flag as the check box shows it. Only the wallpapers have flags.
struct ImagePageRead {
    MaybeValue list, tile, stretch, randomOrder;
    ImageListRead shown;
    int random = 0;
};
ImagePageRead ReadImagePage(ProfileStore& profile, const char* section, bool withFlags, bool withStretch);
// The writes of the page's save: each value whose stored form the rows or the check box changed.
WritePlan PlanImagePageSave(ProfileStore& profile, const std::string& section, const ImagePageRead& read,
                            const std::vector<ImageRow>& rows, int random, bool withFlags);

// A file name as typed into the wallpaper properties: double quotes dropped (a name pasted in
// quotes stays usable, and a quote inside would end its stored entry early).
std::string CleanImageName(std::string_view typed);

enum class ImageNameCheck { Ok, Empty, HasPipe };
// Empty (or only blanks) and "|" are refused.
ImageNameCheck CheckImageName(std::string_view cleaned);

enum class MoveCheck { Ok, NoSelection, SeveralSelected, FirstUp, LastDown };
MoveCheck CheckMove(int count, int selectedCount, int selected, bool up);
// The upper row of the pair that trades places.
inline int MovePairStart(int selected, bool up) { return up ? selected - 1 : selected; }

// Where each row goes when rows c and c+1 trade places: given to the rows as item data, a sort
// by item data then moves exactly that pair, whatever the sort algorithm.
std::vector<int> SwappedPositions(int count, int c);
int ComparePositions(long long a, long long b);

// The row of a random number r (0 to 32767) among count rows: r reduced by the count until it
// is below it; -1 when there are no rows.
int RandomRowIndex(int r, int count);

// The "Control Panel\Desktop" values the wallpaper page's Set writes for a row.
struct DesktopStyleValues {
    const char* wallpaperStyle;  // "2" stretched (only with the Plus! pack), else "0"
    const char* tileWallpaper;   // "1" tiled, else "0"
};
DesktopStyleValues SetCommandStyle(bool tile, bool stretch, bool plusPack);
