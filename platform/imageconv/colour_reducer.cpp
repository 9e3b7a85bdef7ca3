#include "colour_reducer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace imageconv {

namespace {

constexpr int kBins = 1 << 15;  // 5 bits a channel

int BinOf(int r, int g, int b) { return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); }

uint32_t Pack(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// Exact palette when the picture has few enough colours; false when it has more.
bool ExactPalette(const RgbImage& image, int maxColours, IndexedImage& out) {
  std::unordered_map<uint32_t, uint8_t> index;
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  out.indices.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = image.rgb.data() + i * 3;
    const uint32_t c = Pack(p[0], p[1], p[2]);
    auto it = index.find(c);
    if (it == index.end()) {
      if (static_cast<int>(out.palette.size()) == maxColours) return false;
      it = index.emplace(c, static_cast<uint8_t>(out.palette.size())).first;
      out.palette.push_back(c);
    }
    out.indices[i] = it->second;
  }
  return true;
}

struct Bin {
  uint32_t count = 0;
  uint64_t r = 0, g = 0, b = 0;
};

struct Box {
  std::vector<int> bins;  // occupied bins in the box
  uint64_t pixels = 0;
  int lo[3] = {31, 31, 31};
  int hi[3] = {0, 0, 0};
};

int Channel(int bin, int c) { return (bin >> (10 - 5 * c)) & 31; }

void Measure(Box& box, const std::vector<Bin>& hist) {
  box.pixels = 0;
  for (int c = 0; c < 3; ++c) {
    box.lo[c] = 31;
    box.hi[c] = 0;
  }
  for (int bin : box.bins) {
    box.pixels += hist[static_cast<size_t>(bin)].count;
    for (int c = 0; c < 3; ++c) {
      box.lo[c] = std::min(box.lo[c], Channel(bin, c));
      box.hi[c] = std::max(box.hi[c], Channel(bin, c));
    }
  }
}

std::vector<uint32_t> MedianCut(const std::vector<Bin>& hist, int maxColours) {
  std::vector<Box> boxes(1);
  for (int bin = 0; bin < kBins; ++bin)
    if (hist[static_cast<size_t>(bin)].count) boxes[0].bins.push_back(bin);
  Measure(boxes[0], hist);
  while (static_cast<int>(boxes.size()) < maxColours) {
    // Split the box whose widest channel, weighted by its pixels, is largest.
    int best = -1;
    uint64_t bestScore = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].bins.size() < 2) continue;
      int span = 0;
      for (int c = 0; c < 3; ++c) span = std::max(span, boxes[i].hi[c] - boxes[i].lo[c]);
      const uint64_t score = static_cast<uint64_t>(span + 1) * boxes[i].pixels;
      if (score > bestScore) {
        bestScore = score;
        best = static_cast<int>(i);
      }
    }
    if (best < 0) break;
    Box& box = boxes[static_cast<size_t>(best)];
    int axis = 0;
    for (int c = 1; c < 3; ++c)
      if (box.hi[c] - box.lo[c] > box.hi[axis] - box.lo[axis]) axis = c;
    std::sort(box.bins.begin(), box.bins.end(),
              [axis](int a, int b) { return Channel(a, axis) < Channel(b, axis); });
    // Cut at the pixel median, keeping at least one bin on each side.
    uint64_t running = 0;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < box.bins.size(); ++i) {
      running += hist[static_cast<size_t>(box.bins[i])].count;
      cut = i + 1;
      if (running * 2 >= box.pixels) break;
    }
    Box other;
    other.bins.assign(box.bins.begin() + static_cast<long>(cut), box.bins.end());
    box.bins.resize(cut);
    Measure(box, hist);
    Measure(other, hist);
    boxes.push_back(std::move(other));
  }
  std::vector<uint32_t> palette;
  for (const Box& box : boxes) {
    uint64_t r = 0, g = 0, b = 0, n = 0;
    for (int bin : box.bins) {
      const Bin& h = hist[static_cast<size_t>(bin)];
      r += h.r;
      g += h.g;
      b += h.b;
      n += h.count;
    }
    if (n == 0) continue;
    palette.push_back(Pack(static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                           static_cast<int>((b + n / 2) / n)));
  }
  return palette;
}

int Nearest(const std::vector<uint32_t>& palette, int r, int g, int b) {
  int best = 0;
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < palette.size(); ++i) {
    const int dr = static_cast<int>((palette[i] >> 16) & 0xFF) - r;
    const int dg = static_cast<int>((palette[i] >> 8) & 0xFF) - g;
    const int db = static_cast<int>(palette[i] & 0xFF) - b;
    const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace

IndexedImage ReduceColours(const RgbImage& image, int maxColours) {
  maxColours = std::clamp(maxColours, 2, 256);
  IndexedImage out;
  out.width = image.width;
  out.height = image.height;
  if (ExactPalette(image, maxColours, out)) return out;

  std::vector<Bin> hist(kBins);
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = image.rgb.data() + i * 3;
    Bin& h = hist[static_cast<size_t>(BinOf(p[0], p[1], p[2]))];
    ++h.count;
    h.r += p[0];
    h.g += p[1];
    h.b += p[2];
  }
  out.palette = MedianCut(hist, maxColours);

  // Nearest entries are looked up per 15-bit colour, once each.
  std::vector<int16_t> nearest(kBins, -1);
  auto lookup = [&](int r, int g, int b) {
    int16_t& slot = nearest[static_cast<size_t>(BinOf(r, g, b))];
    if (slot < 0) slot = static_cast<int16_t>(Nearest(out.palette, (r & ~7) | 4, (g & ~7) | 4, (b & ~7) | 4));
    return slot;
  };

  // Floyd-Steinberg: errors in sixteenths, two rows of them.
  const size_t w = static_cast<size_t>(image.width);
  std::vector<std::array<int, 3>> errThis(w + 2), errNext(w + 2);
  for (int y = 0; y < image.height; ++y) {
    std::fill(errNext.begin(), errNext.end(), std::array<int, 3>{0, 0, 0});
    for (size_t x = 0; x < w; ++x) {
      const uint8_t* p = image.Pixel(static_cast<int>(x), y);
      int want[3];
      for (int c = 0; c < 3; ++c) want[c] = std::clamp(p[c] + errThis[x + 1][static_cast<size_t>(c)] / 16, 0, 255);
      const int index = lookup(want[0], want[1], want[2]);
      out.indices[static_cast<size_t>(y) * w + x] = static_cast<uint8_t>(index);
      const uint32_t got = out.palette[static_cast<size_t>(index)];
      const int have[3] = {static_cast<int>((got >> 16) & 0xFF), static_cast<int>((got >> 8) & 0xFF),
                           static_cast<int>(got & 0xFF)};
      for (size_t c = 0; c < 3; ++c) {
        const int e = want[c] - have[c];
        errThis[x + 2][c] += e * 7;
        errNext[x][c] += e * 3;
        errNext[x + 1][c] += e * 5;
        errNext[x + 2][c] += e;
      }
    }
    std::swap(errThis, errNext);
  }
  return out;
}

}  // namespace imageconv
