// Writes the Windows metafile records that the vector formats' drawings need, in pixels (one
// logical unit a pixel), as a placeable metafile for the platform to draw.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace imageconv {

class MetafileWriter {
public:
  // One record: function and 16-bit parameters.
  void Record(uint16_t function, std::initializer_list<int32_t> words);
  // A polyline (0x0325) or polygon (0x0324) of x, y pairs.
  void Points(uint16_t function, const std::vector<int32_t>& xy);
  // A pen and a brush for the next shape (colours 0x00BBGGRR; without pen or brush, the
  // null ones).
  void Shape(uint32_t penColour, int penWidth, bool pen, uint32_t brushColour, bool brush);
  // The whole file: placeable header of width x height pixels at 96 an inch, metafile
  // header, the records, the end record.
  std::vector<uint8_t> Finish(int width, int height);

private:
  void Put16(uint16_t v);
  void Put32(uint32_t v);
  std::vector<uint8_t> body_;
  uint32_t biggest_ = 3;
  int pair_ = -1;  // first slot of the selected pen and brush
};

}  // namespace imageconv
