// The image changer sheet's list rules that need no window: stored lists and flags into rows
// and back, names that would break the stored list, the checks and order of a move, and the
// row Set Random picks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ImageRow {
    std::string path;
    bool tile = false;
    bool stretch = false;
};

// The rows of a category's stored "List"; a flag past the end of its string is "N". Stretch
// flags are read only when the page has the Stretch column.
std::vector<ImageRow> LoadImageRows(std::string_view list, std::string_view tile, std::string_view stretch,
                                    bool withStretch);

struct StoredImageList {
    std::string list;     // QuotedPathList
    std::string tile;     // one Y/N per entry
    std::string stretch;  // one Y/N per entry; empty without the Stretch column
};

// The stored form of the rows in display order. A row whose path would break the list (an
// empty path ends it at the next load, a double quote cuts it) is left out with its flags, so
// the flags stay parallel to the entries.
StoredImageList StoreImageRows(const std::vector<ImageRow>& rows, bool withStretch);

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
