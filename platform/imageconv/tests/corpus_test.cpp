// Replays the regression corpus: every sample in formats/ converts whole, and every file, cut
// at several lengths, converts to a well-formed bitmap or fails; files in damaged/ once
// crashed; those in platform/ are drawn by the platform (the library's test converts them).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "converter.h"

namespace imageconv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// A 24-bit bitmap whose stated size, dimensions and padded rows agree with its length.
bool WellFormed(const std::vector<uint8_t>& bmp) {
  if (bmp.size() < 54 || bmp[0] != 'B' || Get32(bmp, 2) != bmp.size() || bmp[28] != 24) return false;
  const uint64_t row = (uint64_t{Get32(bmp, 18)} * 3 + 3) & ~uint64_t{3};
  return 54 + row * Get32(bmp, 22) == bmp.size();
}

std::vector<fs::path> Files(const char* folder) {
  std::vector<fs::path> out;
  for (const auto& entry : fs::directory_iterator(fs::path(IMAGECONV_CORPUS) / folder)) out.push_back(entry.path());
  std::sort(out.begin(), out.end());
  return out;
}

TEST(Corpus, EverySampleConvertsWholeAndEveryCutConvertsOrFails) {
  for (const char* folder : {"formats", "platform", "damaged"}) {
    const auto files = Files(folder);
    EXPECT_FALSE(files.empty()) << folder;
    for (const fs::path& path : files) {
      const std::vector<uint8_t> whole = ReadFile(path);
      std::vector<uint8_t> bmp;
      const ConversionResult r = ConvertToBitmap(whole, bmp);
      if (std::string(folder) == "formats") {
        ASSERT_EQ(r, ConversionResult::kOk) << path;
        EXPECT_TRUE(WellFormed(bmp)) << path;
      }
      const size_t n = whole.size();
      for (size_t cut : {size_t{0}, size_t{1}, size_t{8}, size_t{64}, n / 8, n / 4, n / 2, n * 3 / 4, n - 1}) {
        if (cut >= n) continue;
        const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(cut));
        bmp.clear();
        if (ConvertToBitmap(part, bmp) == ConversionResult::kOk) {
          EXPECT_TRUE(WellFormed(bmp)) << path << " cut at " << cut;
        }
      }
    }
  }
}

}  // namespace
}  // namespace imageconv
