// The program's side of the converter under Wine: the block, and ICOM32.DLL bound at load time.
#include "win32/converter_block.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "byte_reader.h"

namespace tunewright {
namespace {

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

void WritePpm(const std::string& path, int w, int h) {
  char head[64];
  const int n = std::snprintf(head, sizeof head, "P6\n%d %d\n255\n", w, h);
  std::vector<uint8_t> bytes(head, head + n);
  for (int i = 0; i < w * h; ++i) {
    bytes.push_back(static_cast<uint8_t>(i));
    bytes.push_back(static_cast<uint8_t>(i * 3));
    bytes.push_back(static_cast<uint8_t>(i * 7));
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

TEST(ConverterBlockWin32, StartUpFillsTheBlockAndConversionsStoreTheFormat) {
  ConverterBlock block;
  ASSERT_TRUE(block.Allocate());
  EXPECT_EQ(GlobalSize(block.Handle()), 1573u);
  HWND window = CreateWindowA("STATIC", "t", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  block.Initialise(GetModuleHandleA(nullptr), window);
  const uint8_t* data = block.Data();
  EXPECT_EQ(GetU32(data + 16), 1u);
  EXPECT_EQ(GetU32(data + 332), 234u);
  EXPECT_EQ(GetU32(data + 340), 256u);
  EXPECT_GT(GetU32(data + 264), 0u);
  EXPECT_NE(GetU32(data + 356), 0u);
  EXPECT_EQ(GetU32(data + 288), static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))));
  EXPECT_EQ(GetU32(data + 292), static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
  EXPECT_EQ(GetU16(data + 446), GetU16(data + 4));

  // Decoding goes by content, so a picture named .jpg converts; the block names JPEG.
  const std::string source = TempPath("binding.jpg");
  const std::string target = TempPath("binding.bmp");
  WritePpm(source, 9, 5);
  EXPECT_TRUE(block.Convert(source, target, 2));
  EXPECT_EQ(GetU16(data + 452), 203);
  FILE* f = std::fopen(target.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char magic[2] = {};
  EXPECT_EQ(std::fread(magic, 1, 2, f), 2u);
  std::fclose(f);
  EXPECT_EQ(magic[0], 'B');
  EXPECT_FALSE(block.Convert(TempPath("no such file.gif"), target, 0));
  EXPECT_EQ(GetU16(data + 452), 202);
  block.RefillDisplayInfo();
  EXPECT_NE(GetU32(data + 356), 0u);
  DestroyWindow(window);
}

TEST(ConverterBlockWin32, PreviewThreadsAndTheChangerConvertAtOnce) {
  ConverterBlock block;
  ASSERT_TRUE(block.Allocate());
  block.Initialise(GetModuleHandleA(nullptr), nullptr);
  const std::string source = TempPath("shared.ppm");
  WritePpm(source, 200, 150);
  std::vector<std::thread> threads;
  std::vector<int> ok(8, 0);
  for (int i = 0; i < 8; ++i)
    threads.emplace_back([&, i] {
      char name[32];
      std::snprintf(name, sizeof name, "shared%d.bmp", i);
      ok[static_cast<size_t>(i)] = block.Convert(source, TempPath(name), i % 2 ? 0 : 2);
      if (i == 0) block.FinishBootScreen(TempPath(name));
    });
  for (auto& t : threads) t.join();
  for (int v : ok) EXPECT_TRUE(v);
}

TEST(ConverterBlockWin32, ConvertsWithoutABlock) {
  ConverterBlock block;  // allocation never happened
  const std::string source = TempPath("noblock.ppm");
  WritePpm(source, 3, 3);
  EXPECT_TRUE(block.Convert(source, TempPath("noblock.bmp"), 2));
}

}  // namespace
}  // namespace tunewright
