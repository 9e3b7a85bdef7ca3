// Timings for the benchmark script (not a test): the portable strip of a corpus against a
// plain copy of the same bytes, and the first-image decode against giflib's. Each figure is
// the best of several rounds, in milliseconds.
//
//   gif_bench frames DIR COUNT         base frames for the corpus (gifsicle builds on them)
//   gif_bench strip SRC DST ROUNDS     parse, mark, write a copy of every file
//   gif_bench copy SRC DST ROUNDS      read and write a copy of every file
//   gif_bench decode SRC ROUNDS        first image of every file: ours, then giflib's
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FirstImage.h"
#include "GifFile.h"
#include "GifTestStreams.h"
#include "SafeFile.h"
#include "StripDriver.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<std::string> corpus(const std::string& dir)
{
    std::vector<std::string> files;
    for (auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

template <class F>
double bestOf(int rounds, F run)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        run();
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = std::min(best, ms);
    }
    return best;
}

int makeFrames(const std::string& dir, int count)
{
    fs::create_directories(dir);
    for (int n = 0; n < count; ++n) {
        int width = 300 + (n * 37) % 400, height = 200 + (n * 53) % 300;
        GifStream s;
        s.text("GIF89a").le16(width).le16(height).raw({0xF7, 0, 0});
        for (int i = 0; i < 256; ++i)
            s.raw({(i * 7 + n * 31) & 0xFF, (i * 13 + n) & 0xFF, (i * 29 + n * 5) & 0xFF});
        Bytes pixels(size_t(width) * size_t(height));
        unsigned state = unsigned(n) * 2654435761u + 7;
        for (size_t i = 0; i < pixels.size(); ++i) {
            state = state * 1103515245u + 12345u;
            size_t x = i % size_t(width), y = i / size_t(width);
            // Smooth regions with noise: compresses like a photograph reduced to 256 colours.
            pixels[i] = uint8_t(((x / 5 + y / 4 + n) + ((state >> 16) % 9)) & 0xFF);
        }
        s.image(0, 0, width, height, pixels, 8).trailer();
        std::string path = dir + "/frame-" + std::to_string(n) + ".gif";
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return 1;
        std::fwrite(s.bytes.data(), 1, s.bytes.size(), f);
        std::fclose(f);
    }
    return 0;
}

double stripAll(const std::vector<std::string>& files, const std::string& out, int rounds)
{
    return bestOf(rounds, [&] {
        for (const std::string& path : files) {
            GifFile gif;
            if (!gif.parse(path))
                continue;
            markBlocksToDrop(gif, true, true);
            gif.write(out + "/" + fs::path(path).filename().string());
        }
    });
}

double copyAll(const std::vector<std::string>& files, const std::string& out, int rounds)
{
    return bestOf(rounds, [&] {
        std::vector<uint8_t> bytes;
        for (const std::string& path : files) {
            readWholeFile(path, bytes);
            std::string target = out + "/" + fs::path(path).filename().string();
            FILE* f = std::fopen(target.c_str(), "wb");
            if (!f)
                continue;
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    });
}

struct Sink : PixelTarget {
    uint32_t sum = 0;
    void setPixel(int x, int y, uint32_t colour) override { sum += colour + uint32_t(x ^ y); }
    // The same work per pixel as the giflib side: a table look-up and a sum.
    void setRow(int y, const uint8_t* indices, int width, const uint32_t* colours,
                size_t count) override
    {
        for (int x = 0; x < width; ++x)
            if (indices[x] < count)
                sum += colours[indices[x]] + uint32_t(x ^ y);
    }
};

struct Memory {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int readMemory(GifFileType* gif, GifByteType* out, int n)
{
    auto* m = static_cast<Memory*>(gif->UserData);
    size_t take = std::min(size_t(n), m->size - m->pos);
    std::memcpy(out, m->data + m->pos, take);
    m->pos += take;
    return int(take);
}

// giflib's decode of the first image, lines into one buffer, colours looked up like ours.
uint32_t giflibFirstImage(const std::vector<uint8_t>& bytes, std::vector<GifPixelType>& lines)
{
    Memory m = {bytes.data(), bytes.size(), 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&m, readMemory, &error);
    if (!gif)
        return 0;
    uint32_t sum = 0;
    GifRecordType type;
    while (DGifGetRecordType(gif, &type) == GIF_OK && type != TERMINATE_RECORD_TYPE) {
        if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* ext;
            if (DGifGetExtension(gif, &code, &ext) != GIF_OK)
                break;
            while (ext && DGifGetExtensionNext(gif, &ext) == GIF_OK && ext) {
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK)
            break;
        int width = gif->Image.Width, height = gif->Image.Height;
        ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
        lines.resize(size_t(width));
        for (int y = 0; y < height; ++y) {
            if (DGifGetLine(gif, lines.data(), width) != GIF_OK)
                break;
            for (int x = 0; x < width; ++x) {
                GifColorType c = map->Colors[lines[size_t(x)] % map->ColorCount];
                sum += (uint32_t(c.Red) | (uint32_t(c.Green) << 8) | (uint32_t(c.Blue) << 16)) +
                       uint32_t(x ^ y);
            }
        }
        break;
    }
    DGifCloseFile(gif, &error);
    return sum;
}

int decodeAll(const std::vector<std::string>& files, int rounds)
{
    // Both from memory. Ours decodes from the parsed file the strip already made (parsing is
    // in the strip figure); giflib reads its way to the first image and decodes it.
    std::vector<std::vector<uint8_t>> contents(files.size());
    std::vector<std::unique_ptr<GifFile>> parsed;
    for (size_t i = 0; i < files.size(); ++i) {
        readWholeFile(files[i], contents[i]);
        parsed.push_back(std::make_unique<GifFile>());
        parsed.back()->parseMemory(contents[i].data(), contents[i].size());
    }
    uint32_t oursSum = 0, theirsSum = 0;
    double ours = bestOf(rounds, [&] {
        oursSum = 0;
        for (auto& gif : parsed) {
            Sink sink;
            gif->drawFirstImage(sink);
            oursSum += sink.sum;
        }
    });
    std::vector<GifPixelType> lines;
    double theirs = bestOf(rounds, [&] {
        theirsSum = 0;
        for (const auto& bytes : contents)
            theirsSum += giflibFirstImage(bytes, lines);
    });
    std::printf("%.1f %.1f %s\n", ours, theirs, oursSum == theirsSum ? "same" : "different");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "frames" && argc == 4)
        return makeFrames(argv[2], std::atoi(argv[3]));
    if (mode == "strip" && argc == 5) {
        std::printf("%.1f\n", stripAll(corpus(argv[2]), argv[3], std::atoi(argv[4])));
        return 0;
    }
    if (mode == "copy" && argc == 5) {
        std::printf("%.1f\n", copyAll(corpus(argv[2]), argv[3], std::atoi(argv[4])));
        return 0;
    }
    if (mode == "decode" && argc == 4)
        return decodeAll(corpus(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: gif_bench frames DIR COUNT | strip SRC DST ROUNDS | "
                         "copy SRC DST ROUNDS | decode SRC ROUNDS\n");
    return 2;
}
