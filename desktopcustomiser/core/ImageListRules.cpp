#include "ImageListRules.h"

#include "quoted_path_list.h"

namespace {

char FlagAt(std::string_view flags, size_t index)
{
    return index < flags.size() ? flags[index] : 0;
}

std::string Rest(std::string_view text, size_t from)
{
    return from < text.size() ? std::string(text.substr(from)) : std::string();
}

// A row's flag: the stored character while it says what the row shows.
char FlagOf(bool shown, char stored)
{
    if (stored && (stored == 'Y') == shown)
        return stored;
    return shown ? 'Y' : 'N';
}

std::string FlagString(const std::string& flags, size_t own, const std::string& tail)
{
    // Rows without a flag of their own after the last one that has one add nothing, so an
    // unchanged short string stays as short; a kept rest needs every row's place.
    return tail.empty() ? flags.substr(0, own) : flags + tail;
}

}  // namespace

ImageListRead LoadImageRows(std::string_view list, std::string_view tile, std::string_view stretch,
                            bool withStretch)
{
    ImageListRead read;
    size_t pos = 0;
    // An entry is a quote, a path, a quote, then the end or a blank and the next entry's quote.
    while (pos < list.size() && list[pos] == '"') {
        size_t quote = list.find('"', pos + 1);
        if (quote == std::string_view::npos || quote == pos + 1)
            break;
        size_t next = quote + 1;
        bool last = next == list.size();
        if (!last && list.compare(next, 2, " \"") != 0)
            break;
        size_t k = read.rows.size();
        ImageRow row;
        row.path = std::string(list.substr(pos + 1, quote - pos - 1));
        row.storedTile = FlagAt(tile, k);
        row.storedStretch = FlagAt(stretch, k);
        row.tile = row.storedTile == 'Y';
        row.stretch = withStretch && row.storedStretch == 'Y';
        read.rows.push_back(std::move(row));
        pos = last ? next : next + 1;
    }
    read.listTail = Rest(list, pos);
    if (!read.listTail.empty()) {
        read.tileTail = Rest(tile, read.rows.size());
        read.stretchTail = Rest(stretch, read.rows.size());
    }
    return read;
}

StoredImageList StoreImageRows(const std::vector<ImageRow>& rows, const ImageListRead& kept)
{
    StoredImageList stored;
    size_t ownTile = 0, ownStretch = 0;
    for (const ImageRow& row : rows) {
        if (row.path.empty() || row.path.find('"') != std::string::npos)
            continue;
        if (!stored.list.empty())
            stored.list += ' ';
        stored.list += '"';
        stored.list += row.path;
        stored.list += '"';
        stored.tile += FlagOf(row.tile, row.storedTile);
        stored.stretch += row.storedStretch ? row.storedStretch : 'N';
        if (row.storedTile || row.tile)
            ownTile = stored.tile.size();
        if (row.storedStretch)
            ownStretch = stored.stretch.size();
    }
    if (!kept.listTail.empty())
        stored.list += (stored.list.empty() ? "" : " ") + kept.listTail;
    stored.tile = FlagString(stored.tile, ownTile, kept.tileTail);
    stored.stretch = FlagString(stored.stretch, ownStretch, kept.stretchTail);
    return stored;
}

void SetImageRowStyle(ImageRow& row, bool tile, bool stretch, bool withStretch)
{
    row.tile = tile;
    row.storedTile = tile ? 'Y' : 'N';
    if (withStretch) {
        row.stretch = stretch && !tile;
        row.storedStretch = row.stretch ? 'Y' : 'N';
    } else if (tile && row.storedStretch) {
        row.storedStretch = 'N';
    }
}

ImagePageRead ReadImagePage(ProfileStore& profile, const char* section, bool withFlags, bool withStretch)
{
    ImagePageRead read;
    read.list = ReadProfileValue(profile, section, "List");
    if (withFlags) {
        read.tile = ReadProfileValue(profile, section, "Tile");
        read.stretch = ReadProfileValue(profile, section, "Stretch");
    }
    read.randomOrder = ReadProfileValue(profile, section, "Random Order?");
    read.shown = LoadImageRows(StoredText(read.list).value_or(""), StoredText(read.tile).value_or(""),
                               StoredText(read.stretch).value_or(""), withStretch);
    read.random = StoredInt(read.randomOrder).value_or(0) != 0 ? 1 : 0;
    return read;
}

WritePlan PlanImagePageSave(ProfileStore& profile, const std::string& section, const ImagePageRead& read,
                            const std::vector<ImageRow>& rows, int random, bool withFlags)
{
    StoredImageList stored = StoreImageRows(rows, read.shown);
    WritePlan plan;
    auto text = [&](const char* entry, const MaybeValue& before, const std::string& left) {
        // A value the page cannot read shows as empty; left empty it stays as it is.
        PlanText(plan, section + "\\" + entry, ProfileValuePut(profile, section, entry), before,
                 StoredText(before).value_or(""), left);
    };
    text("List", read.list, stored.list);
    // Flags stored as a type the page cannot read have no known places to keep parallel: they
    // are left as they are.
    if (withFlags && (!read.tile || StoredText(read.tile)))
        text("Tile", read.tile, stored.tile);
    if (withFlags && (!read.stretch || StoredText(read.stretch)))
        text("Stretch", read.stretch, stored.stretch);
    PlanInt(plan, section + "\\Random Order?", ProfileValuePut(profile, section, "Random Order?"), read.randomOrder,
            read.random, random);
    return plan;
}

std::string CleanImageName(std::string_view typed)
{
    std::string name;
    for (char c : typed)
        if (c != '"')
            name += c;
    return name;
}

ImageNameCheck CheckImageName(std::string_view cleaned)
{
    if (cleaned.find('|') != std::string_view::npos)
        return ImageNameCheck::HasPipe;
    if (cleaned.find_first_not_of(" \t") == std::string_view::npos)
        return ImageNameCheck::Empty;
    return ImageNameCheck::Ok;
}

MoveCheck CheckMove(int count, int selectedCount, int selected, bool up)
{
    if (selectedCount <= 0 || selected < 0 || selected >= count)
        return MoveCheck::NoSelection;
    if (selectedCount > 1)
        return MoveCheck::SeveralSelected;
    if (up && selected == 0)
        return MoveCheck::FirstUp;
    if (!up && selected == count - 1)
        return MoveCheck::LastDown;
    return MoveCheck::Ok;
}

std::vector<int> SwappedPositions(int count, int c)
{
    std::vector<int> positions;
    for (int i = 0; i < count; ++i)
        positions.push_back(i);
    if (c >= 0 && c + 1 < count)
        std::swap(positions[static_cast<size_t>(c)], positions[static_cast<size_t>(c) + 1]);
    return positions;
}

int ComparePositions(long long a, long long b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

int RandomRowIndex(int r, int count)
{
    if (count <= 0)
        return -1;
    if (r < 0)
        r = -r;
    return r % count;
}

DesktopStyleValues SetCommandStyle(bool tile, bool stretch, bool plusPack)
{
    return {plusPack && stretch ? "2" : "0", tile ? "1" : "0"};
}
