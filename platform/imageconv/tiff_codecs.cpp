#include "tiff_codecs.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

#include "tiff_fax.h"

namespace imageconv {

namespace {

// PackBits: a control byte n of 0..127 copies the next n + 1 bytes, -127..-1 repeats the
// next byte 1 - n times, -128 does nothing.
size_t UnpackBits(std::span<const uint8_t> in, std::span<uint8_t> out) {
  size_t at = 0, done = 0;
  while (at < in.size() && done < out.size()) {
    const int n = static_cast<int8_t>(in[at++]);
    if (n >= 0) {
      const size_t count = std::min<size_t>({static_cast<size_t>(n) + 1, in.size() - at, out.size() - done});
      std::memcpy(out.data() + done, in.data() + at, count);
      at += static_cast<size_t>(n) + 1;
      done += count;
    } else if (n != -128) {
      if (at >= in.size()) break;
      const size_t count = std::min<size_t>(static_cast<size_t>(1 - n), out.size() - done);
      std::memset(out.data() + done, in[at++], count);
      done += count;
    }
  }
  return done;
}

// LZW as TIFF writes it: codes most significant bit first, 9 to 12 bits wide, 256 clears the
// table, 257 ends; the width grows one code early (when the next free slot reaches 511, 1023,
// 2047). Writers from before TIFF 6.0 packed the codes least significant bit first and grew
// the width only when the next free slot reached 512, 1024, 2048; their strips start with a
// clear code so packed (00, then an odd byte), where the current kind starts 80.
// Strings are kept as (prefix, last byte, length) and written backwards into place, so
// there is no recursion and no stack beyond the output itself.
size_t UnpackLzw(std::span<const uint8_t> in, std::span<uint8_t> out) {
  const bool oldStyle = in.size() >= 2 && in[0] == 0 && (in[1] & 1);
  constexpr int kClear = 256, kEnd = 257, kMaxCodes = 4096;
  uint16_t prefix[kMaxCodes];
  uint8_t suffix[kMaxCodes], first[kMaxCodes];
  uint16_t length[kMaxCodes];
  for (int i = 0; i < 256; ++i) {
    prefix[i] = 0;
    suffix[i] = first[i] = static_cast<uint8_t>(i);
    length[i] = 1;
  }
  int next = 258, width = 9, previous = -1;
  uint32_t buffer = 0;
  int bitsHeld = 0;
  size_t at = 0, done = 0;
  while (done < out.size()) {
    while (bitsHeld < width && at < in.size()) {
      buffer = oldStyle ? buffer | static_cast<uint32_t>(in[at++]) << bitsHeld : buffer << 8 | in[at++];
      bitsHeld += 8;
    }
    if (bitsHeld < width) break;
    int code;
    if (oldStyle) {
      code = static_cast<int>(buffer & ((1u << width) - 1));
      buffer >>= width;
    } else {
      code = static_cast<int>((buffer >> (bitsHeld - width)) & ((1u << width) - 1));
    }
    bitsHeld -= width;
    if (code == kEnd) break;
    if (code == kClear) {
      next = 258;
      width = 9;
      previous = -1;
      continue;
    }
    int emit;  // the code whose string is written now
    if (code < next && (code < 256 || code >= 258)) {
      emit = code;
    } else if (code == next && previous >= 0) {
      emit = -1;  // the previous string followed by its own first byte
    } else {
      break;  // a code that cannot be in the table yet
    }
    if (previous >= 0 && next < kMaxCodes) {
      prefix[next] = static_cast<uint16_t>(previous);
      suffix[next] = first[emit >= 0 ? emit : previous];
      first[next] = first[previous];
      length[next] = static_cast<uint16_t>(length[previous] + 1);
      if (emit < 0) emit = next;
      ++next;
    } else if (emit < 0) {
      break;
    }
    // Writes the string backwards; whatever does not fit in the output is dropped.
    const size_t len = length[emit];
    size_t end = std::min(done + len, out.size());
    int c = emit;
    for (size_t pos = done + len; pos > done; --pos) {
      if (pos - 1 < end) out[pos - 1] = suffix[c];
      c = prefix[c];
    }
    done = end;
    previous = emit;
    if (next + (oldStyle ? 0 : 1) >= (1 << width) && width < 12) ++width;
  }
  return done;
}

size_t Inflate(std::span<const uint8_t> in, std::span<uint8_t> out) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return 0;
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(std::min<size_t>(in.size(), UINT32_MAX));
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(std::min<size_t>(out.size(), UINT32_MAX));
  inflate(&z, Z_FINISH);  // a damaged stream keeps what came before the damage
  const size_t done = out.size() - z.avail_out;
  inflateEnd(&z);
  return done;
}

}  // namespace

size_t UnpackTiffChunk(TiffCompression compression, std::span<const uint8_t> in, std::span<uint8_t> out,
                       const FaxLayout* fax) {
  switch (compression) {
    case TiffCompression::kNone: {
      const size_t count = std::min(in.size(), out.size());
      if (count) std::memcpy(out.data(), in.data(), count);
      return count;
    }
    case TiffCompression::kPackBits: return UnpackBits(in, out);
    case TiffCompression::kLzw: return UnpackLzw(in, out);
    case TiffCompression::kDeflate: return Inflate(in, out);
    case TiffCompression::kCcittRle:
    case TiffCompression::kCcittFax3:
    case TiffCompression::kCcittFax4: return fax ? UnpackFax(compression, *fax, in, out) : 0;
  }
  return 0;
}

}  // namespace imageconv
