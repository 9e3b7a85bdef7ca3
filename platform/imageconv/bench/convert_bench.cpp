// convert_bench SOURCE DESTINATION [REPEAT]: converts SOURCE to a bitmap file REPEAT times
// (default 1) with the converter's own code, as ICOM32.DLL does, and prints the mean time of
// one conversion in milliseconds (reading the file, decoding, writing the bitmap file).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "converter.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: convert_bench SOURCE DESTINATION [REPEAT]\n");
    return 2;
  }
  const int repeat = argc > 3 ? std::atoi(argv[3]) : 1;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeat; ++i) {
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    std::vector<uint8_t> source(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(source.data()), static_cast<std::streamsize>(source.size()));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    const auto write = [&](std::span<const uint8_t> bytes) {
      return static_cast<bool>(out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
    };
    if (imageconv::ConvertToBitmap(source, write) != imageconv::ConversionResult::kOk) return 1;
    if (!out.flush()) return 1;
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.3f\n", ms / repeat);
  return 0;
}
