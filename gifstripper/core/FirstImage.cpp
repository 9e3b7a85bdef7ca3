#include "FirstImage.h"

#include <algorithm>

#include "GifFile.h"
#include "ImageBlock.h"
#include "LzwDecoder.h"

void PixelTarget::setRow(int y, const uint8_t* indices, int width, const uint32_t* colours,
                         size_t count)
{
    for (int x = 0; x < width; ++x)
        if (indices[x] < count)
            setPixel(x, y, colours[indices[x]]);
}

std::vector<int> plotRowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    if (height <= 0)
        return rows;
    rows.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    const int starts[4] = {0, 4, 2, 1};
    const int steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            rows.push_back(y);
    return rows;
}

bool GifFile::drawFirstImage(PixelTarget& target)
{
    auto* image = static_cast<ImageBlock*>(images_.at(1));
    if (!image || image->width <= 0 || image->height <= 0)
        return false;
    const ColorTable& table = image->localTable ? *image->localTable : globalTable_;

    // The image data as it stands in the file: code size, then the sub-blocks.
    ByteWriter data;
    size_t total = 1;
    image->subBlocks().forEach([&](const DataSubBlock* sub) { total += 1 + sub->size; });
    data.reserve(total);
    data.u8(image->minimumCodeSize);
    writeSubBlocks(image->subBlocks(), data);

    std::vector<uint8_t> indices;
    LzwDecoder decoder;
    if (decoder.decode(data.data().data(), data.data().size(), image->width, image->height,
                       indices) < 0)
        return false;

    std::vector<int> rows = plotRowOrder(image->height, image->interlaced);
    const size_t width = size_t(image->width);
    // The last line may be partly decoded (the end code came in its middle): its start is
    // drawn.
    for (size_t line = 0, at = 0; at < indices.size() && line < rows.size(); ++line, at += width)
        target.setRow(rows[line], indices.data() + at, int(std::min(width, indices.size() - at)),
                      table.colours.data(), table.colours.size());
    return true;
}
