// Timings for the benchmark script (not a test): the portable strip of a corpus against a
// plain copy of the same bytes, and the first-image decode against giflib's. Times are the
// best of several rounds, in milliseconds.
//
//   gif_bench frames DIR COUNT                   base frames for the corpus (gifsicle builds on them)
//   gif_bench strip-copy SRC DST ROUNDS          strip every file (parse, mark, rewrite) into
//                                                DST/strip, copy it crash-safe into DST/safe
//                                                and plainly into DST/plain, in turn
//   gif_bench decode SRC ROUNDS                  first image of every file: ours, then giflib's
#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
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

// The strip as the program does it: parse, mark, rewrite in place through a temporary file.
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

// The copies read each file as the strip does (readWholeFile), into one buffer kept for the
// run: what they time is reading and writing the bytes, nothing more.

bool writeAll(int fd, const uint8_t* bytes, size_t size)
{
    for (size_t done = 0; done < size;) {
        ssize_t put = write(fd, bytes + done, size - done);
        if (put <= 0)
            return false;
        done += size_t(put);
    }
    return true;
}

std::string targetIn(const std::string& out, const std::string& path)
{
    return out + "/" + fs::path(path).filename().string();
}

// A copy over the target that is flushed to disk, but neither renamed into place nor made
// durable in its folder: what a plain copy costs.
void plainCopyAll(const std::vector<std::string>& files, const std::string& out)
{
    FileBytes bytes;
    for (const std::string& path : files) {
        if (!readWholeFile(path, bytes))
            continue;
        int fd = open(targetIn(out, path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        writeAll(fd, bytes.data(), bytes.size());
        fsync(fd);
        close(fd);
    }
}

// The limit of a crash-safe rewrite: the same bytes put in place by exactly the steps of the
// strip's replace, one system call for each (the target's permissions taken over, a temporary
// file in the target's folder written and flushed, renamed over the target, the folder
// flushed so that the rename is on disk too, as the write-through move is on Windows).
void crashSafeCopyAll(const std::vector<std::string>& files, const std::string& out)
{
    FileBytes bytes;
    for (const std::string& path : files) {
        if (!readWholeFile(path, bytes))
            continue;
        std::string target = targetIn(out, path);
        std::string temp = out + "/.copy-XXXXXX";
        int fd = mkstemp(temp.data());
        if (fd < 0)
            continue;
        struct stat st;
        if (stat(target.c_str(), &st) == 0)
            fchmod(fd, st.st_mode & 07777);
        writeAll(fd, bytes.data(), bytes.size());
        fsync(fd);
        close(fd);
        rename(temp.c_str(), target.c_str());
        int dir = open(out.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        fsync(dir);
        close(dir);
    }
}

// The strip, the crash-safe copy and the plain copy in turn, round after round, each starting
// the round in its turn, so that all meet the same load of the machine. Prints the best time
// of each, then the median, lowest and highest of the rounds' ratios, strip against the
// crash-safe copy and strip against the plain copy.
int stripAgainstCopies(const std::string& src, const std::string& out, int rounds)
{
    std::vector<std::string> files = corpus(src);
    const std::string outs[3] = {out + "/strip", out + "/safe", out + "/plain"};
    for (const std::string& dir : outs)
        fs::create_directories(dir);
    std::vector<double> times[3];
    std::vector<double> againstSafe, againstPlain;
    for (int i = 0; i < rounds; ++i) {
        double ms[3];
        for (int k = 0; k < 3; ++k) {
            int which = (i + k) % 3;
            ms[which] = timed([&] {
                if (which == 0)
                    stripAll(files, outs[0]);
                else if (which == 1)
                    crashSafeCopyAll(files, outs[1]);
                else
                    plainCopyAll(files, outs[2]);
            });
            times[which].push_back(ms[which]);
        }
        againstSafe.push_back(ms[0] / ms[1]);
        againstPlain.push_back(ms[0] / ms[2]);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    auto lowest = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    auto highest = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("%.1f %.1f %.1f %.3f %.3f %.3f %.3f %.3f %.3f\n", lowest(times[0]), lowest(times[1]),
                lowest(times[2]), median(againstSafe), lowest(againstSafe), highest(againstSafe),
                median(againstPlain), lowest(againstPlain), highest(againstPlain));
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
uint32_t giflibFirstImage(const FileBytes& bytes, std::vector<GifPixelType>& lines)
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
    std::vector<FileBytes> contents(files.size());
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
    if (mode == "strip-copy" && argc == 5)
        return stripAgainstCopies(argv[2], argv[3], std::max(1, std::atoi(argv[4])));
    if (mode == "decode" && argc == 4)
        return decodeAll(corpus(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: gif_bench frames DIR COUNT | strip-copy SRC DST ROUNDS | "
                         "decode SRC ROUNDS\n");
    return 2;
}
