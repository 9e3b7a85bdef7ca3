#include "cgm.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "byte_reader.h"
#include "image_decoder.h"
#include "metafile_writer.h"

namespace imageconv {

namespace {

// Reading state: the precisions and modes the descriptor elements set.
struct State {
  int integerBits = 16, indexBits = 16, colourBits = 8, colourIndexBits = 8, vdcBits = 16;
  bool realFixed = true;
  int realWhole = 16, realFraction = 16;
  bool direct = false, lineAbsolute = false, edgeAbsolute = false;
  uint32_t colourMin[3] = {0, 0, 0}, colourMax[3] = {255, 255, 255};
  double x0 = 0, y0 = 0, x1 = 32767, y1 = 32767;
  double metric = 0;  // millimetres a unit, 0 when not stated
  uint32_t table[256];
  uint32_t lineColour = 0, fillColour = 0, edgeColour = 0;  // COLORREF 0x00BBGGRR
  double lineWidth = 1, edgeWidth = 1;
  int interior = 0;  // 0 hollow, 1 solid, 4 empty
  bool edge = false;
};

uint64_t Unsigned(ByteReader& in, int bits) {
  uint64_t v = 0;
  for (int i = 0; i < bits / 8; ++i) v = v << 8 | in.U8();
  return v;
}
int64_t Signed(ByteReader& in, int bits) {
  const int bytes = bits / 8;
  const uint64_t v = Unsigned(in, bits);
  if (bytes > 0 && bytes < 8 && (v >> (bits - 1)) & 1) return static_cast<int64_t>(v) - (int64_t{1} << bits);
  return static_cast<int64_t>(v);
}
double Real(ByteReader& in, const State& s) {
  if (s.realFixed) {
    const double whole = static_cast<double>(Signed(in, s.realWhole));
    return whole + static_cast<double>(Unsigned(in, s.realFraction)) / std::ldexp(1.0, s.realFraction);
  }
  if (s.realWhole == 64) {
    const uint64_t bits = Unsigned(in, 64);
    double d;
    std::memcpy(&d, &bits, 8);
    return std::isfinite(d) ? d : 0;
  }
  const uint32_t bits = static_cast<uint32_t>(Unsigned(in, 32));
  float f;
  std::memcpy(&f, &bits, 4);
  return std::isfinite(f) ? f : 0;
}
int ValidBits(int64_t bits, int fallback) { return bits == 8 || bits == 16 || bits == 24 || bits == 32 ? static_cast<int>(bits) : fallback; }

uint32_t DirectColour(ByteReader& in, const State& s) {
  uint32_t rgb[3];
  for (int c = 0; c < 3; ++c) {
    const double v = static_cast<double>(Unsigned(in, s.colourBits));
    const double span = static_cast<double>(s.colourMax[c]) - s.colourMin[c];
    rgb[c] = static_cast<uint32_t>(std::clamp(span > 0 ? (v - s.colourMin[c]) * 255.0 / span : v, 0.0, 255.0));
  }
  return rgb[0] | rgb[1] << 8 | rgb[2] << 16;
}
uint32_t Colour(ByteReader& in, const State& s) {
  if (s.direct) return DirectColour(in, s);
  return s.table[Unsigned(in, s.colourIndexBits) & 255];
}

}  // namespace

bool IsCgm(std::span<const uint8_t> file) {
  return file.size() >= 4 && (file[0] << 8 | file[1]) >> 5 == 1;  // class 0, element 1: begin metafile
}

// Elements: a big-endian u16 of class (4 bits), element (7 bits) and parameter length (5
// bits; 31 means a long form: u16 lengths of up to 32767 bytes, the top bit saying another
// part follows), then the parameters padded to an even length. Coordinates (virtual device
// coordinates) are integers here; y grows upwards.
ConversionResult CgmToMetafile(std::span<const uint8_t> file, std::vector<uint8_t>& metafile) {
  if (!IsCgm(file)) return ConversionResult::kUnreadable;
  State s;
  const uint32_t defaults[8] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
  for (int i = 0; i < 256; ++i) s.table[i] = defaults[i % 8];
  s.lineColour = s.fillColour = s.edgeColour = s.table[1];

  std::vector<uint8_t> params;
  MetafileWriter wmf;
  int width = 0, height = 0;
  double scale = 1;
  auto begin = [&] {  // the picture's size, fixed at the first drawing element
    if (width) return;
    const double w = std::fabs(s.x1 - s.x0), h = std::fabs(s.y1 - s.y0);
    if (w < 1 || h < 1) return;
    scale = s.metric > 0 ? s.metric * 96 / 25.4 : 640 / std::max(w, h);
    if (w * scale > kMaxSide || h * scale > kMaxSide) scale = kMaxSide / std::max(w, h);
    width = std::max(1, static_cast<int>(std::lround(w * scale)));
    height = std::max(1, static_cast<int>(std::lround(h * scale)));
    wmf.Record(0x020B, {0, 0});
    wmf.Record(0x020C, {height, width});
  };
  auto px = [&](double x) { return static_cast<int32_t>(std::lround(std::clamp((x - std::min(s.x0, s.x1)) * scale, -30000.0, 30000.0))); };
  auto py = [&](double y) { return static_cast<int32_t>(std::lround(std::clamp((std::max(s.y0, s.y1) - y) * scale, -30000.0, 30000.0))); };
  auto widthOf = [&](double w, bool absolute) { return std::clamp(static_cast<int>(std::lround(absolute ? w * scale : w)), 1, 1000); };

  ByteReader in(file, true);
  bool drawn = false;
  for (int elements = 0; in.remaining() >= 2 && elements < 1000000; ++elements) {
    const uint16_t head = in.U16();
    const int cls = head >> 12, id = (head >> 5) & 0x7F;
    size_t length = head & 31;
    params.clear();
    if (length == 31) {
      for (bool more = true; more && in.ok();) {
        const uint16_t part = in.U16();
        more = part & 0x8000;
        const auto bytes = in.Bytes(part & 0x7FFF);
        params.insert(params.end(), bytes.begin(), bytes.end());
        if (part & 1) in.Skip(1);
      }
    } else {
      const auto bytes = in.Bytes(length);
      params.assign(bytes.begin(), bytes.end());
      if (length & 1) in.Skip(1);
    }
    if (!in.ok()) break;
    ByteReader p(params, true);
    auto vdc = [&] { return static_cast<double>(Signed(p, s.vdcBits)); };
    auto points = [&] {
      std::vector<int32_t> xy;
      while (p.remaining() >= static_cast<size_t>(s.vdcBits / 4) && xy.size() < 16000) {
        const double x = vdc(), y = vdc();
        xy.push_back(px(x));
        xy.push_back(py(y));
      }
      return xy;
    };
    auto filled = [&] {  // pen and brush of a closed shape
      const bool hollow = s.interior == 0;
      const bool pen = s.edge || hollow;
      wmf.Shape(s.edge ? s.edgeColour : s.fillColour, s.edge ? widthOf(s.edgeWidth, s.edgeAbsolute) : 1, pen,
                s.fillColour, s.interior == 1);
    };
    if (cls == 0 && id == 5) break;  // end of the first picture
    if (cls == 1) {
      switch (id) {
        case 3: if (Signed(p, 16) != 0) return ConversionResult::kUnreadable; break;  // real coordinates: not read
        case 4: s.integerBits = ValidBits(Signed(p, s.integerBits), 16); break;
        case 5: {
          s.realFixed = Signed(p, 16) == 1;
          s.realWhole = ValidBits(Signed(p, s.integerBits), 16);
          s.realFraction = ValidBits(Signed(p, s.integerBits), 16);
          if (!s.realFixed) s.realWhole = s.realWhole + s.realFraction >= 64 ? 64 : 32;
          break;
        }
        case 6: s.indexBits = ValidBits(Signed(p, s.integerBits), 16); break;
        case 7: s.colourBits = ValidBits(Signed(p, s.integerBits), 8); break;
        case 8: s.colourIndexBits = ValidBits(Signed(p, s.integerBits), 8); break;
        case 10:
          for (uint32_t& v : s.colourMin) v = static_cast<uint32_t>(Unsigned(p, s.colourBits));
          for (uint32_t& v : s.colourMax) v = static_cast<uint32_t>(Unsigned(p, s.colourBits));
          break;
        default: break;
      }
    } else if (cls == 2) {
      switch (id) {
        case 1: {
          const bool metric = Signed(p, 16) == 1;
          const uint32_t bits = static_cast<uint32_t>(Unsigned(p, 32));  // always a 32-bit float
          float f;
          std::memcpy(&f, &bits, 4);
          if (metric && p.ok() && std::isfinite(f) && f > 0) s.metric = f;
          break;
        }
        case 2: s.direct = Signed(p, 16) == 1; break;
        case 3: s.lineAbsolute = Signed(p, 16) == 0; break;
        case 5: s.edgeAbsolute = Signed(p, 16) == 0; break;
        case 6: s.x0 = vdc(), s.y0 = vdc(), s.x1 = vdc(), s.y1 = vdc(); break;
        default: break;
      }
    } else if (cls == 3 && id == 1) {
      s.vdcBits = ValidBits(Signed(p, s.integerBits), 16);
    } else if (cls == 4) {
      begin();
      if (!width) return ConversionResult::kUnreadable;
      drawn = true;
      switch (id) {
        case 1:
        case 2: {
          const auto xy = points();
          wmf.Shape(s.lineColour, widthOf(s.lineWidth, s.lineAbsolute), true, 0, false);
          if (id == 1 && xy.size() >= 4) wmf.Points(0x0325, xy);
          for (size_t i = 0; id == 2 && i + 4 <= xy.size(); i += 4) wmf.Points(0x0325, {xy[i], xy[i + 1], xy[i + 2], xy[i + 3]});
          break;
        }
        case 7: {
          const auto xy = points();
          filled();
          if (xy.size() >= 6) wmf.Points(0x0324, xy);
          break;
        }
        case 11:
        case 12:
        case 17: {
          double left, top, right, bottom;
          const double cx = vdc(), cy = vdc();
          if (id == 11) {
            const double x2 = vdc(), y2 = vdc();
            left = std::min(cx, x2), right = std::max(cx, x2), bottom = std::min(cy, y2), top = std::max(cy, y2);
          } else {
            double rx, ry;
            if (id == 12) {
              rx = ry = std::fabs(vdc());
            } else {  // conjugate diameter ends; the ellipse is drawn unrotated
              const double ax = vdc() - cx, ay = vdc() - cy, bx = vdc() - cx, by = vdc() - cy;
              rx = std::max(std::fabs(ax), std::fabs(bx));
              ry = std::max(std::fabs(ay), std::fabs(by));
            }
            left = cx - rx, right = cx + rx, bottom = cy - ry, top = cy + ry;
          }
          if (!p.ok()) break;
          filled();
          wmf.Record(id == 11 ? 0x041B : 0x0418, {py(bottom) + 1, px(right) + 1, py(top), px(left)});
          break;
        }
        default: break;  // text, cell arrays, arcs: not drawn
      }
    } else if (cls == 5) {
      switch (id) {
        case 3: s.lineWidth = s.lineAbsolute ? vdc() : Real(p, s); break;
        case 4: s.lineColour = Colour(p, s); break;
        case 22: s.interior = static_cast<int>(Signed(p, 16)); break;
        case 23: s.fillColour = Colour(p, s); break;
        case 28: s.edgeWidth = s.edgeAbsolute ? vdc() : Real(p, s); break;
        case 29: s.edgeColour = Colour(p, s); break;
        case 30: s.edge = Signed(p, 16) == 1; break;
        case 34: {
          uint64_t at = Unsigned(p, s.colourIndexBits);
          while (p.remaining() >= static_cast<size_t>(3 * s.colourBits / 8) && at < 256) s.table[at++] = DirectColour(p, s);
          break;
        }
        default: break;
      }
    }
  }
  if (!drawn) return ConversionResult::kUnreadable;
  metafile = wmf.Finish(width, height);
  return ConversionResult::kOk;
}

}  // namespace imageconv
