// Timings for the benchmark script (not a test): the portable strip of a corpus against a
// plain copy of the same bytes, and the first-image decode against giflib's. Times are the
// best of several rounds, in milliseconds.
//
//   gif_bench frames DIR COUNT                   base frames for the corpus (gifsicle builds on them)
//   gif_bench strip-copy SRC SDST CDST ROUNDS    strip every file (parse, mark, rewrite) into
//                                                SDST and copy it into CDST, in turn
//   gif_bench decode SRC ROUNDS                  first image of every file: ours, then giflib's
#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

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

template <class F>
double timed(F run)
{
    auto start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The strip as the program does it: parse, mark, rewrite through a temporary file.
void stripAll(const std::vector<std::string>& files, const std::string& out)
{
    for (const std::string& path : files) {
        GifFile gif;
        if (!gif.parse(path))
            continue;
        markBlocksToDrop(gif, true, true);
        gif.write(out + "/" + fs::path(path).filename().string());
    }
}

// Like with like: the copy reads the file as the strip does and, as the strip does, forces
// what it wrote to disk before it counts as done.
void copyAll(const std::vector<std::string>& files, const std::string& out)
{
    {
        std::vector<uint8_t> bytes;
        for (const std::string& path : files) {
            readWholeFile(path, bytes);
            std::string target = out + "/" + fs::path(path).filename().string();
            int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0)
                continue;
            for (size_t done = 0; done < bytes.size();) {
                ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
                if (put <= 0)
                    break;
                done += size_t(put);
            }
            fsync(fd);
            close(fd);
        }
    }
}

// The strip and the copy in turn, round after round, so that both meet the same load of the
// machine; prints the best time of each and the median of the rounds' ratios.
int stripAgainstCopy(const std::string& src, const std::string& stripOut,
                     const std::string& copyOut, int rounds)
{
    std::vector<std::string> files = corpus(src);
    std::vector<double> strips, copies, ratios;
    for (int i = 0; i < rounds; ++i) {
        double copy = timed([&] { copyAll(files, copyOut); });
        double strip = timed([&] { stripAll(files, stripOut); });
        strips.push_back(strip);
        copies.push_back(copy);
        ratios.push_back(strip / copy);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%.1f %.1f %.3f\n", *std::min_element(strips.begin(), strips.end()),
                *std::min_element(copies.begin(), copies.end()), ratios[ratios.size() / 2]);
    return 0;
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
    if (mode == "strip-copy" && argc == 6)
        return stripAgainstCopy(argv[2], argv[3], argv[4], std::max(1, std::atoi(argv[5])));
    if (mode == "decode" && argc == 4)
        return decodeAll(corpus(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: gif_bench frames DIR COUNT | strip-copy SRC STRIPDST COPYDST "
                         "ROUNDS | decode SRC ROUNDS\n");
    return 2;
}
