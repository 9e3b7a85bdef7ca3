#include "cgm.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

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
int ValidBits(int64_t bits, int fallback) { return bits == 8 || bits == 16 || bits == 24 || bits == 32 ? static_cast<int>(bits) : fallback; }

// The parameters of one binary element, read at the precisions the state gives.
class BinaryParameters {
public:
  BinaryParameters(std::span<const uint8_t> bytes, const State& s) : in_(bytes, true), s_(s) {}
  bool ok() const { return in_.ok(); }
  bool MorePoints() const { return in_.remaining() >= static_cast<size_t>(s_.vdcBits / 4); }
  bool MoreColours() const { return in_.remaining() >= static_cast<size_t>(3 * s_.colourBits / 8); }
  int64_t Enum() { return Signed(in_, 16); }
  double Vdc() { return static_cast<double>(Signed(in_, s_.vdcBits)); }
  uint64_t Index() { return Unsigned(in_, s_.colourIndexBits); }
  double Component() { return static_cast<double>(Unsigned(in_, s_.colourBits)); }
  double ScaleFactor() {  // always a 32-bit float
    const uint32_t bits = static_cast<uint32_t>(Unsigned(in_, 32));
    float f;
    std::memcpy(&f, &bits, 4);
    return std::isfinite(f) ? f : 0;
  }
  double Real() {
    if (s_.realFixed) {
      const double whole = static_cast<double>(Signed(in_, s_.realWhole));
      return whole + static_cast<double>(Unsigned(in_, s_.realFraction)) / std::ldexp(1.0, s_.realFraction);
    }
    if (s_.realWhole == 64) {
      const uint64_t bits = Unsigned(in_, 64);
      double d;
      std::memcpy(&d, &bits, 8);
      return std::isfinite(d) ? d : 0;
    }
    return ScaleFactor();
  }

private:
  ByteReader in_;
  const State& s_;
};

// The parameters of one clear-text element: numbers, enumeration keywords and strings,
// already split at the separators (blanks, commas, the parentheses around points).
struct Token {
  std::string_view text;
  bool quoted;
};

class TextParameters {
public:
  explicit TextParameters(const std::vector<Token>& tokens) : tokens_(tokens) {}
  bool ok() const { return ok_; }
  bool MorePoints() const { return tokens_.size() - next_ >= 2; }
  bool MoreColours() const { return tokens_.size() - next_ >= 3; }
  int64_t Enum() {
    static constexpr struct {
      const char* name;
      int value;
    } kNames[] = {{"INTEGER", 0}, {"REAL", 1},       {"ABSTRACT", 0}, {"METRIC", 1},   {"INDEXED", 0},
                  {"DIRECT", 1},  {"ABS", 0},        {"ABSOLUTE", 0}, {"SCALED", 1},   {"FRACTIONAL", 2},
                  {"FRACT", 2},   {"MM", 3},         {"HOLLOW", 0},   {"SOLID", 1},    {"PAT", 2},
                  {"PATTERN", 2}, {"HATCH", 3},      {"EMPTY", 4},    {"GEOPAT", 5},   {"INTERP", 6},
                  {"OFF", 0},     {"ON", 1}};
    if (next_ >= tokens_.size()) return Fail();
    for (const auto& n : kNames)
      if (IsKeyword(tokens_[next_].text, n.name)) return ++next_, n.value;
    return static_cast<int64_t>(std::clamp(Number(), -32768.0, 32767.0));  // some writers give the code itself
  }
  double Vdc() { return Number(); }
  uint64_t Index() {
    const double v = Number();
    return v >= 0 && v < 65536 ? static_cast<uint64_t>(v) : 0;
  }
  double Component() { return std::max(0.0, Number()); }
  double ScaleFactor() { return Number(); }
  double Real() { return Number(); }

  // Keywords ignore case and the '_' and '$' written into them for readability.
  static bool IsKeyword(std::string_view text, std::string_view name) {
    size_t at = 0;
    for (const char c : text) {
      if (c == '_' || c == '$') continue;
      if (at == name.size() || (c >= 'a' && c <= 'z' ? c - 32 : c) != name[at]) return false;
      ++at;
    }
    return at == name.size();
  }

private:
  // A decimal integer or real (sign, digits, point, exponent) or a based integer ("16#FF").
  double Number() {
    if (next_ >= tokens_.size() || tokens_[next_].quoted) return Fail();
    std::string_view t = tokens_[next_++].text;
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) negative = t[0] == '-', t.remove_prefix(1);
    double v = 0;
    const char* end = t.data() + t.size();
    std::from_chars_result r{};
    if (const size_t hash = t.find('#'); hash != std::string_view::npos) {
      int base = 0;
      uint32_t digits = 0;
      r = std::from_chars(t.data(), t.data() + hash, base);
      if (r.ec != std::errc() || r.ptr != t.data() + hash || base < 2 || base > 16) return Fail();
      r = std::from_chars(t.data() + hash + 1, end, digits, base);
      v = digits;
    } else {
      r = std::from_chars(t.data(), end, v);
    }
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return Fail();
    // No wider than the binary encoding's 32-bit numbers.
    return std::clamp(negative ? -v : v, -2147483648.0, 4294967295.0);
  }
  double Fail() {
    ok_ = false;
    return 0;
  }

  const std::vector<Token>& tokens_;
  size_t next_ = 0;
  bool ok_ = true;
};

enum class Step { kGo, kStop, kRefuse };

// The picture being translated: everything after the element's encoding.
class Picture {
public:
  Picture() {
    const uint32_t defaults[8] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
    for (int i = 0; i < 256; ++i) s.table[i] = defaults[i % 8];
    s.lineColour = s.fillColour = s.edgeColour = s.table[1];
  }

  State s;

  ConversionResult Finish(std::vector<uint8_t>& metafile) {
    if (!drawn_) return ConversionResult::kUnreadable;
    metafile = wmf_.Finish(width_, height_);
    return ConversionResult::kOk;
  }

  // One element by class and id, whatever its encoding; the precision elements, which only
  // the binary encoding has, are the caller's.
  template <typename P>
  Step Element(int cls, int id, P& p) {
    if (cls == 0 && id == 5) return Step::kStop;  // end of the first picture
    if (cls == 1) {
      switch (id) {
        case 3: if (p.Enum() != 0) return Step::kRefuse; break;  // real coordinates: not read
        case 10:
          for (uint32_t& v : s.colourMin) v = static_cast<uint32_t>(std::min(p.Component(), 4294967295.0));
          for (uint32_t& v : s.colourMax) v = static_cast<uint32_t>(std::min(p.Component(), 4294967295.0));
          break;
        default: break;
      }
    } else if (cls == 2) {
      switch (id) {
        case 1: {
          const bool metric = p.Enum() == 1;
          const double f = p.ScaleFactor();
          if (metric && p.ok() && f > 0) s.metric = f;
          break;
        }
        case 2: s.direct = p.Enum() == 1; break;
        case 3: s.lineAbsolute = p.Enum() == 0; break;
        case 5: s.edgeAbsolute = p.Enum() == 0; break;
        case 6: s.x0 = p.Vdc(), s.y0 = p.Vdc(), s.x1 = p.Vdc(), s.y1 = p.Vdc(); break;
        default: break;
      }
    } else if (cls == 4) {
      Begin();
      if (!width_) return Step::kRefuse;
      drawn_ = true;
      Draw(id, p);
    } else if (cls == 5) {
      switch (id) {
        case 3: s.lineWidth = s.lineAbsolute ? p.Vdc() : p.Real(); break;
        case 4: s.lineColour = Colour(p); break;
        case 22: s.interior = static_cast<int>(p.Enum()); break;
        case 23: s.fillColour = Colour(p); break;
        case 28: s.edgeWidth = s.edgeAbsolute ? p.Vdc() : p.Real(); break;
        case 29: s.edgeColour = Colour(p); break;
        case 30: s.edge = p.Enum() == 1; break;
        case 34: {
          uint64_t at = p.Index();
          while (p.MoreColours() && p.ok() && at < 256) s.table[at++] = DirectColour(p);
          break;
        }
        default: break;
      }
    }
    return Step::kGo;
  }

private:
  template <typename P>
  uint32_t DirectColour(P& p) {
    uint32_t rgb[3];
    for (int c = 0; c < 3; ++c) {
      const double v = p.Component();
      const double span = static_cast<double>(s.colourMax[c]) - s.colourMin[c];
      rgb[c] = static_cast<uint32_t>(std::clamp(span > 0 ? (v - s.colourMin[c]) * 255.0 / span : v, 0.0, 255.0));
    }
    return rgb[0] | rgb[1] << 8 | rgb[2] << 16;
  }
  template <typename P>
  uint32_t Colour(P& p) {
    if (s.direct) return DirectColour(p);
    return s.table[p.Index() & 255];
  }

  void Begin() {  // the picture's size, fixed at the first drawing element
    if (width_) return;
    const double w = std::fabs(s.x1 - s.x0), h = std::fabs(s.y1 - s.y0);
    if (w < 1 || h < 1) return;
    scale_ = s.metric > 0 ? s.metric * 96 / 25.4 : 640 / std::max(w, h);
    if (w * scale_ > kMaxSide || h * scale_ > kMaxSide) scale_ = kMaxSide / std::max(w, h);
    width_ = std::max(1, static_cast<int>(std::lround(w * scale_)));
    height_ = std::max(1, static_cast<int>(std::lround(h * scale_)));
    wmf_.Record(0x020B, {0, 0});
    wmf_.Record(0x020C, {height_, width_});
  }
  int32_t Px(double x) const { return static_cast<int32_t>(std::lround(std::clamp((x - std::min(s.x0, s.x1)) * scale_, -30000.0, 30000.0))); }
  int32_t Py(double y) const { return static_cast<int32_t>(std::lround(std::clamp((std::max(s.y0, s.y1) - y) * scale_, -30000.0, 30000.0))); }
  int WidthOf(double w, bool absolute) const { return std::clamp(static_cast<int>(std::lround(absolute ? w * scale_ : w)), 1, 1000); }

  template <typename P>
  std::vector<int32_t> Points(P& p) {
    std::vector<int32_t> xy;
    while (p.MorePoints() && xy.size() < 16000) {
      const double x = p.Vdc(), y = p.Vdc();
      if (!p.ok()) break;
      xy.push_back(Px(x));
      xy.push_back(Py(y));
    }
    return xy;
  }
  void Filled() {  // pen and brush of a closed shape
    const bool hollow = s.interior == 0;
    const bool pen = s.edge || hollow;
    wmf_.Shape(s.edge ? s.edgeColour : s.fillColour, s.edge ? WidthOf(s.edgeWidth, s.edgeAbsolute) : 1, pen,
               s.fillColour, s.interior == 1);
  }

  template <typename P>
  void Draw(int id, P& p) {
    switch (id) {
      case 1:
      case 2: {
        const auto xy = Points(p);
        wmf_.Shape(s.lineColour, WidthOf(s.lineWidth, s.lineAbsolute), true, 0, false);
        if (id == 1 && xy.size() >= 4) wmf_.Points(0x0325, xy);
        for (size_t i = 0; id == 2 && i + 4 <= xy.size(); i += 4) wmf_.Points(0x0325, {xy[i], xy[i + 1], xy[i + 2], xy[i + 3]});
        break;
      }
      case 7: {
        const auto xy = Points(p);
        Filled();
        if (xy.size() >= 6) wmf_.Points(0x0324, xy);
        break;
      }
      case 11:
      case 12:
      case 17: {
        double left, top, right, bottom;
        const double cx = p.Vdc(), cy = p.Vdc();
        if (id == 11) {
          const double x2 = p.Vdc(), y2 = p.Vdc();
          left = std::min(cx, x2), right = std::max(cx, x2), bottom = std::min(cy, y2), top = std::max(cy, y2);
        } else {
          double rx, ry;
          if (id == 12) {
            rx = ry = std::fabs(p.Vdc());
          } else {  // conjugate diameter ends; the ellipse is drawn unrotated
            const double ax = p.Vdc() - cx, ay = p.Vdc() - cy, bx = p.Vdc() - cx, by = p.Vdc() - cy;
            rx = std::max(std::fabs(ax), std::fabs(bx));
            ry = std::max(std::fabs(ay), std::fabs(by));
          }
          left = cx - rx, right = cx + rx, bottom = cy - ry, top = cy + ry;
        }
        if (!p.ok()) break;
        Filled();
        wmf_.Record(id == 11 ? 0x041B : 0x0418, {Py(bottom) + 1, Px(right) + 1, Py(top), Px(left)});
        break;
      }
      default: break;  // text, markers, cell arrays, arcs: not drawn
    }
  }

  MetafileWriter wmf_;
  int width_ = 0, height_ = 0;
  double scale_ = 1;
  bool drawn_ = false;
};

// Elements: a big-endian u16 of class (4 bits), element (7 bits) and parameter length (5
// bits; 31 means a long form: u16 lengths of up to 32767 bytes, the top bit saying another
// part follows), then the parameters padded to an even length. Coordinates (virtual device
// coordinates) are integers here; y grows upwards.
ConversionResult ReadBinary(std::span<const uint8_t> file, std::vector<uint8_t>& metafile) {
  Picture picture;
  State& s = picture.s;
  std::vector<uint8_t> params;
  ByteReader in(file, true);
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
    // The precisions say how wide the binary numbers are.
    if (cls == 1 && id >= 4 && id <= 8) {
      switch (id) {
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
        default: s.colourIndexBits = ValidBits(Signed(p, s.integerBits), 8); break;
      }
      continue;
    }
    if (cls == 3 && id == 1) {
      s.vdcBits = ValidBits(Signed(p, s.integerBits), 16);
      continue;
    }
    BinaryParameters parameters(params, s);
    const Step step = picture.Element(cls, id, parameters);
    if (step == Step::kStop) break;
    if (step == Step::kRefuse) return ConversionResult::kUnreadable;
  }
  return picture.Finish(metafile);
}

// Clear text: the clear-text elements this translation acts on, by keyword, with the class
// and id of their binary form; elements not listed are skipped.
struct Named {
  const char* keyword;
  uint8_t cls, id;
};
constexpr Named kElements[] = {
    {"ENDPIC", 0, 5},       {"VDCTYPE", 1, 3},     {"COLRVALUEEXT", 1, 10}, {"SCALEMODE", 2, 1},
    {"COLRMODE", 2, 2},     {"LINEWIDTHMODE", 2, 3}, {"EDGEWIDTHMODE", 2, 5}, {"VDCEXT", 2, 6},
    {"LINE", 4, 1},         {"DISJTLINE", 4, 2},   {"MARKER", 4, 3},        {"TEXT", 4, 4},
    {"RESTRTEXT", 4, 5},    {"APNDTEXT", 4, 6},    {"POLYGON", 4, 7},       {"POLYGONSET", 4, 8},
    {"CELLARRAY", 4, 9},    {"GDP", 4, 10},        {"RECT", 4, 11},         {"CIRCLE", 4, 12},
    {"ARC3PT", 4, 13},      {"ARC3PTCLOSE", 4, 14}, {"ARCCTR", 4, 15},      {"ARCCTRCLOSE", 4, 16},
    {"ELLIPSE", 4, 17},     {"ELLIPARC", 4, 18},   {"ELLIPARCCLOSE", 4, 19}, {"LINEWIDTH", 5, 3},
    {"LINECOLR", 5, 4},     {"INTSTYLE", 5, 22},   {"FILLCOLR", 5, 23},     {"EDGEWIDTH", 5, 28},
    {"EDGECOLR", 5, 29},    {"EDGEVIS", 5, 30},    {"COLRTABLE", 5, 34},
};

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Splits clear text into elements: a keyword, then parameters up to ';' or '/'. Blanks,
// commas and parentheses separate; comments run from '%' to '%'; strings are quoted with '
// or " and a doubled quote stands for itself.
class TextElements {
public:
  explicit TextElements(std::span<const uint8_t> file)
      : text_(reinterpret_cast<const char*>(file.data()), file.size()) {}

  // The next whole element's keyword as written (empty at the end, or when the text ends
  // inside an element) and its parameters.
  std::string_view Next(std::vector<Token>& params) {
    params.clear();
    std::string_view keyword;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ';' || c == '/') {
        ++at_;
        if (!keyword.empty()) return keyword;
      } else if (Blank(c) || c == ',' || c == '(' || c == ')') {
        ++at_;
      } else if (c == '%') {
        const size_t end = text_.find('%', at_ + 1);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else if (c == '\'' || c == '"') {
        size_t end = at_ + 1;
        for (; end < text_.size(); ++end)
          if (text_[end] == c && !(end + 1 < text_.size() && text_[end + 1] == c && ++end)) break;
        if (end >= text_.size()) return {};
        params.push_back({text_.substr(at_ + 1, end - at_ - 1), true});
        at_ = end + 1;
      } else {
        const size_t start = at_;
        while (at_ < text_.size() && !Blank(text_[at_]) && std::string_view(",()%;/'\"").find(text_[at_]) == std::string_view::npos) ++at_;
        const std::string_view word = text_.substr(start, at_ - start);
        if (keyword.empty()) {
          keyword = word;
        } else if (params.size() < 100000) {
          params.push_back({word, false});
        }
      }
    }
    return {};
  }

private:
  std::string_view text_;
  size_t at_ = 0;
};

bool IsClearText(std::span<const uint8_t> file) {
  std::vector<Token> params;
  // Only the start matters: the first element is read from at most the first 4 KB.
  TextElements elements(file.first(std::min<size_t>(file.size(), 4096)));
  return TextParameters::IsKeyword(elements.Next(params), "BEGMF");
}

ConversionResult ReadClearText(std::span<const uint8_t> file, std::vector<uint8_t>& metafile) {
  Picture picture;
  TextElements elements(file);
  std::vector<Token> params;
  for (int count = 0; count < 1000000; ++count) {
    const std::string_view keyword = elements.Next(params);
    if (keyword.empty()) break;
    const auto named = std::find_if(std::begin(kElements), std::end(kElements),
                                    [&](const Named& n) { return TextParameters::IsKeyword(keyword, n.keyword); });
    if (named == std::end(kElements)) continue;
    TextParameters parameters(params);
    const Step step = picture.Element(named->cls, named->id, parameters);
    if (step == Step::kStop) break;
    if (step == Step::kRefuse) return ConversionResult::kUnreadable;
  }
  return picture.Finish(metafile);
}

bool IsBinary(std::span<const uint8_t> file) {
  return file.size() >= 4 && (file[0] << 8 | file[1]) >> 5 == 1;  // class 0, element 1: begin metafile
}

}  // namespace

bool IsCgm(std::span<const uint8_t> file) { return IsBinary(file) || IsClearText(file); }

ConversionResult CgmToMetafile(std::span<const uint8_t> file, std::vector<uint8_t>& metafile) {
  if (IsBinary(file)) return ReadBinary(file, metafile);
  if (IsClearText(file)) return ReadClearText(file, metafile);
  return ConversionResult::kUnreadable;
}

}  // namespace imageconv
