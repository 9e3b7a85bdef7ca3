#include "tiff_fax.h"

#include <algorithm>
#include <array>
#include <vector>

namespace imageconv {

namespace {

// The run-length codes of ITU-T T.4 as (bits as written, length, run). Runs of 64 and more
// are a make-up code followed by a terminating code; codes from 1792 on serve both colours.
struct Code {
  uint16_t bits;
  uint8_t length;
  uint16_t run;
};

constexpr Code kWhite[] = {
    {0x35, 8, 0}, {0x07, 6, 1}, {0x07, 4, 2}, {0x08, 4, 3}, {0x0B, 4, 4}, {0x0C, 4, 5}, {0x0E, 4, 6},
    {0x0F, 4, 7}, {0x13, 5, 8}, {0x14, 5, 9}, {0x07, 5, 10}, {0x08, 5, 11}, {0x08, 6, 12}, {0x03, 6, 13},
    {0x34, 6, 14}, {0x35, 6, 15}, {0x2A, 6, 16}, {0x2B, 6, 17}, {0x27, 7, 18}, {0x0C, 7, 19}, {0x08, 7, 20},
    {0x17, 7, 21}, {0x03, 7, 22}, {0x04, 7, 23}, {0x28, 7, 24}, {0x2B, 7, 25}, {0x13, 7, 26}, {0x24, 7, 27},
    {0x18, 7, 28}, {0x02, 8, 29}, {0x03, 8, 30}, {0x1A, 8, 31}, {0x1B, 8, 32}, {0x12, 8, 33}, {0x13, 8, 34},
    {0x14, 8, 35}, {0x15, 8, 36}, {0x16, 8, 37}, {0x17, 8, 38}, {0x28, 8, 39}, {0x29, 8, 40}, {0x2A, 8, 41},
    {0x2B, 8, 42}, {0x2C, 8, 43}, {0x2D, 8, 44}, {0x04, 8, 45}, {0x05, 8, 46}, {0x0A, 8, 47}, {0x0B, 8, 48},
    {0x52, 8, 49}, {0x53, 8, 50}, {0x54, 8, 51}, {0x55, 8, 52}, {0x24, 8, 53}, {0x25, 8, 54}, {0x58, 8, 55},
    {0x59, 8, 56}, {0x5A, 8, 57}, {0x5B, 8, 58}, {0x4A, 8, 59}, {0x4B, 8, 60}, {0x32, 8, 61}, {0x33, 8, 62},
    {0x34, 8, 63},
    {0x1B, 5, 64}, {0x12, 5, 128}, {0x17, 6, 192}, {0x37, 7, 256}, {0x36, 8, 320}, {0x37, 8, 384},
    {0x64, 8, 448}, {0x65, 8, 512}, {0x68, 8, 576}, {0x67, 8, 640}, {0xCC, 9, 704}, {0xCD, 9, 768},
    {0xD2, 9, 832}, {0xD3, 9, 896}, {0xD4, 9, 960}, {0xD5, 9, 1024}, {0xD6, 9, 1088}, {0xD7, 9, 1152},
    {0xD8, 9, 1216}, {0xD9, 9, 1280}, {0xDA, 9, 1344}, {0xDB, 9, 1408}, {0x98, 9, 1472}, {0x99, 9, 1536},
    {0x9A, 9, 1600}, {0x18, 6, 1664}, {0x9B, 9, 1728},
};

constexpr Code kBlack[] = {
    {0x37, 10, 0}, {0x02, 3, 1}, {0x03, 2, 2}, {0x02, 2, 3}, {0x03, 3, 4}, {0x03, 4, 5}, {0x02, 4, 6},
    {0x03, 5, 7}, {0x05, 6, 8}, {0x04, 6, 9}, {0x04, 7, 10}, {0x05, 7, 11}, {0x07, 7, 12}, {0x04, 8, 13},
    {0x07, 8, 14}, {0x18, 9, 15}, {0x17, 10, 16}, {0x18, 10, 17}, {0x08, 10, 18}, {0x67, 11, 19},
    {0x68, 11, 20}, {0x6C, 11, 21}, {0x37, 11, 22}, {0x28, 11, 23}, {0x17, 11, 24}, {0x18, 11, 25},
    {0xCA, 12, 26}, {0xCB, 12, 27}, {0xCC, 12, 28}, {0xCD, 12, 29}, {0x68, 12, 30}, {0x69, 12, 31},
    {0x6A, 12, 32}, {0x6B, 12, 33}, {0xD2, 12, 34}, {0xD3, 12, 35}, {0xD4, 12, 36}, {0xD5, 12, 37},
    {0xD6, 12, 38}, {0xD7, 12, 39}, {0x6C, 12, 40}, {0x6D, 12, 41}, {0xDA, 12, 42}, {0xDB, 12, 43},
    {0x54, 12, 44}, {0x55, 12, 45}, {0x56, 12, 46}, {0x57, 12, 47}, {0x64, 12, 48}, {0x65, 12, 49},
    {0x52, 12, 50}, {0x53, 12, 51}, {0x24, 12, 52}, {0x37, 12, 53}, {0x38, 12, 54}, {0x27, 12, 55},
    {0x28, 12, 56}, {0x58, 12, 57}, {0x59, 12, 58}, {0x2B, 12, 59}, {0x2C, 12, 60}, {0x5A, 12, 61},
    {0x66, 12, 62}, {0x67, 12, 63},
    {0x0F, 10, 64}, {0xC8, 12, 128}, {0xC9, 12, 192}, {0x5B, 12, 256}, {0x33, 12, 320}, {0x34, 12, 384},
    {0x35, 12, 448}, {0x6C, 13, 512}, {0x6D, 13, 576}, {0x4A, 13, 640}, {0x4B, 13, 704}, {0x4C, 13, 768},
    {0x4D, 13, 832}, {0x72, 13, 896}, {0x73, 13, 960}, {0x74, 13, 1024}, {0x75, 13, 1088}, {0x76, 13, 1152},
    {0x77, 13, 1216}, {0x52, 13, 1280}, {0x53, 13, 1344}, {0x54, 13, 1408}, {0x55, 13, 1472},
    {0x5A, 13, 1536}, {0x5B, 13, 1600}, {0x64, 13, 1664}, {0x65, 13, 1728},
};

constexpr Code kExtended[] = {
    {0x08, 11, 1792}, {0x0C, 11, 1856}, {0x0D, 11, 1920}, {0x12, 12, 1984}, {0x13, 12, 2048},
    {0x14, 12, 2112}, {0x15, 12, 2176}, {0x16, 12, 2240}, {0x17, 12, 2304}, {0x1C, 12, 2368},
    {0x1D, 12, 2432}, {0x1E, 12, 2496}, {0x1F, 12, 2560},
};

// Two-dimensional mode codes of T.4 and T.6: pass, horizontal, and vertical a1 - b1 of -3..3.
enum Mode : int8_t { kPass = 8, kHorizontal = 9 };
constexpr Code kModes[] = {
    {0x1, 4, kPass}, {0x1, 3, kHorizontal}, {0x1, 1, 3}, {0x3, 3, 4}, {0x3, 6, 5}, {0x3, 7, 6},
    {0x2, 3, 2}, {0x2, 6, 1}, {0x2, 7, 0},
};

constexpr int kLookupBits = 13;
constexpr int16_t kNoCode = -1;

// Every 13-bit window mapped to the code it starts with: (run or mode, length); found in one
// step, and a window that starts no code maps to kNoCode.
struct Lookup {
  std::array<int16_t, 1 << kLookupBits> value;
  std::array<uint8_t, 1 << kLookupBits> length;

  Lookup() {
    value.fill(kNoCode);
    length.fill(0);
  }
  void Add(const Code& c) {
    const int spare = kLookupBits - c.length;
    for (int k = 0; k < 1 << spare; ++k) {
      value[static_cast<size_t>(c.bits << spare | k)] = static_cast<int16_t>(c.run);
      length[static_cast<size_t>(c.bits << spare | k)] = c.length;
    }
  }
};

const Lookup& Table(int which) {  // 0 white, 1 black, 2 modes
  static const std::array<Lookup, 3> tables = [] {
    std::array<Lookup, 3> t;
    for (const Code& c : kWhite) t[0].Add(c);
    for (const Code& c : kBlack) t[1].Add(c);
    for (const Code& c : kExtended) t[0].Add(c), t[1].Add(c);
    for (const Code& c : kModes) t[2].Add(c);
    return t;
  }();
  return tables[static_cast<size_t>(which)];
}

// Bits of the chunk, most significant first (the caller has undone FillOrder 2); past the end
// the bits read as zero, and no code is taken from there.
class BitReader {
public:
  explicit BitReader(std::span<const uint8_t> in) : in_(in) {}

  uint32_t Peek(int count) const {
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = v << 1 | Bit(pos_ + static_cast<size_t>(i));
    return v;
  }
  void Skip(int count) { pos_ += static_cast<size_t>(count); }
  void AlignToByte() { pos_ = (pos_ + 7) / 8 * 8; }
  // An end-of-line code (eleven or more zeros, then a one), fill bits included; false, and
  // nothing consumed, when there is none here.
  bool SkipEol() {
    size_t zeros = 0;
    while (pos_ + zeros < in_.size() * 8 && !Bit(pos_ + zeros)) ++zeros;
    if (zeros < 11 || pos_ + zeros >= in_.size() * 8) return false;
    pos_ += zeros + 1;
    return true;
  }
  // The value of the code starting here in the given table, or kNoCode.
  int Read(int which) {
    const Lookup& t = Table(which);
    const uint32_t window = Peek(kLookupBits);
    const int16_t v = t.value[window];
    if (v == kNoCode || pos_ + t.length[window] > in_.size() * 8) return kNoCode;
    pos_ += t.length[window];
    return v;
  }

private:
  uint32_t Bit(size_t at) const {
    if (at >= in_.size() * 8) return 0;
    return (in_[at / 8] >> (7 - at % 8)) & 1;
  }

  std::span<const uint8_t> in_;
  size_t pos_ = 0;
};

// A whole run of one colour: make-up codes, then the terminating code. -1 on damage.
int ReadRun(BitReader& bits, int colour) {
  int total = 0;
  for (;;) {
    const int run = bits.Read(colour);
    if (run == kNoCode) return -1;
    total += run;
    if (run < 64) return total;
    if (total > 1 << 20) return -1;
  }
}

// A row as the positions where the colour changes, starting white; ended by width twice.
using Changes = std::vector<int>;

bool DecodeRow1d(BitReader& bits, int width, Changes& row) {
  row.clear();
  int at = 0, colour = 0;
  while (at < width) {
    const int run = ReadRun(bits, colour);
    if (run < 0 || at + run > width) return false;
    at += run;
    row.push_back(at);
    colour ^= 1;
  }
  return true;
}

bool DecodeRow2d(BitReader& bits, int width, const Changes& reference, Changes& row) {
  row.clear();
  int a0 = -1, colour = 0;
  size_t i = 0;  // the reference change at or after b1's search start
  while (a0 < width) {
    // b1: the first change on the reference row right of a0 to the opposite of a0's colour.
    while (i < reference.size() && reference[i] <= a0) ++i;
    if ((i & 1) != static_cast<size_t>(colour)) ++i;
    const int b1 = i < reference.size() ? reference[i] : width;
    const int b2 = i + 1 < reference.size() ? reference[i + 1] : width;
    const int mode = bits.Read(2);
    const int start = std::max(a0, 0);
    if (mode == kPass) {
      a0 = b2;
    } else if (mode == kHorizontal) {
      const int first = ReadRun(bits, colour), second = ReadRun(bits, colour ^ 1);
      if (first < 0 || second < 0 || start + first + second > width) return false;
      row.push_back(start + first);
      row.push_back(start + first + second);
      a0 = start + first + second;
    } else if (mode >= 0 && mode <= 6) {
      const int a1 = b1 + mode - 3;
      if (a1 < start || a1 > width) return false;
      row.push_back(a1);
      a0 = a1;
      colour ^= 1;
    } else {
      return false;  // an extension (uncompressed mode) or damage
    }
    if (row.size() > static_cast<size_t>(width) + 2) return false;  // changes that go nowhere
    if (i > 0) --i;  // the next b1 may lie left of this one's successor
  }
  while (!row.empty() && row.back() >= width) row.pop_back();
  row.push_back(width);
  return true;
}

// Sets the black runs of a row (black is 1).
void Fill(const Changes& row, int width, uint8_t* out) {
  int at = 0, colour = 0;
  for (int change : row) {
    const int end = std::min(change, width);
    if (colour)
      for (int x = at; x < end; ++x) out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    at = end;
    colour ^= 1;
  }
}

}  // namespace

size_t UnpackFax(TiffCompression compression, const FaxLayout& layout, std::span<const uint8_t> in,
                 std::span<uint8_t> out) {
  const int width = layout.width;
  const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  if (width <= 0 || rowBytes == 0) return 0;
  // Uncompressed mode is not read (T4Options bit 1, T6Options bit 1).
  if (compression != TiffCompression::kCcittRle && (layout.options & 2)) return 0;
  const bool twoD = compression == TiffCompression::kCcittFax4 ||
                    (compression == TiffCompression::kCcittFax3 && (layout.options & 1));
  BitReader bits(in);
  Changes reference{width}, row;
  row.reserve(static_cast<size_t>(width) + 2);
  size_t rows = 0;
  for (; (rows + 1) * rowBytes <= out.size(); ++rows) {
    bool ok;
    if (compression == TiffCompression::kCcittRle) {
      if (rows > 0) bits.AlignToByte();
      ok = DecodeRow1d(bits, width, row);
    } else if (compression == TiffCompression::kCcittFax3) {
      const bool eol = bits.SkipEol();
      if (eol && bits.SkipEol()) break;  // end of page
      bool oneD = true;
      if (twoD) {
        oneD = bits.Peek(1) == 1;
        bits.Skip(1);
      }
      ok = oneD ? DecodeRow1d(bits, width, row) : DecodeRow2d(bits, width, reference, row);
    } else {
      ok = DecodeRow2d(bits, width, reference, row);
    }
    if (!ok) break;
    std::fill_n(out.data() + rows * rowBytes, rowBytes, uint8_t{0});
    Fill(row, width, out.data() + rows * rowBytes);
    std::swap(reference, row);
  }
  return rows * rowBytes;
}

}  // namespace imageconv
