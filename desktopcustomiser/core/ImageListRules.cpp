#include "ImageListRules.h"

#include "quoted_path_list.h"

std::vector<ImageRow> LoadImageRows(std::string_view list, std::string_view tile, std::string_view stretch,
                                    bool withStretch)
{
    std::vector<ImageRow> rows;
    for (std::string& path : tunewright::ParseQuotedPathList(list)) {
        size_t k = rows.size();
        ImageRow row;
        row.path = std::move(path);
        row.tile = tunewright::YesNoFlagAt(tile, k).value_or(false);
        row.stretch = withStretch && tunewright::YesNoFlagAt(stretch, k).value_or(false);
        rows.push_back(std::move(row));
    }
    return rows;
}

StoredImageList StoreImageRows(const std::vector<ImageRow>& rows, bool withStretch)
{
    StoredImageList stored;
    for (const ImageRow& row : rows) {
        if (row.path.empty() || row.path.find('"') != std::string::npos)
            continue;
        if (!stored.list.empty())
            stored.list += ' ';
        stored.list += '"';
        stored.list += row.path;
        stored.list += '"';
        stored.tile += row.tile ? 'Y' : 'N';
        if (withStretch)
            stored.stretch += row.stretch ? 'Y' : 'N';
    }
    return stored;
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
