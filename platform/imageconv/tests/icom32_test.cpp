// ICOM32.DLL as the program meets it: loaded by name, called by ordinal.
#include <gtest/gtest.h>

#include <icom32.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

class Icom32 : public ::testing::Test {
protected:
  FARPROC Proc(HMODULE module, LPCSTR ordinal) { return GetProcAddress(module, ordinal); }
  template <typename F>
  static F As(FARPROC p) { return reinterpret_cast<F>(reinterpret_cast<void*>(p)); }

  void SetUp() override {
    module_ = LoadLibraryA("ICOM32.DLL");
    ASSERT_NE(module_, nullptr);
    convert_ = As<IcoConvertImageFn>(Proc(module_, MAKEINTRESOURCEA(kIcoConvertImageOrdinal)));
    init_ = As<IcoInitialiseFn>(Proc(module_, MAKEINTRESOURCEA(kIcoInitialiseOrdinal)));
    finish_ = As<IcoFinishBootScreenFn>(Proc(module_, MAKEINTRESOURCEA(kIcoFinishBootScreenOrdinal)));
    ASSERT_TRUE(convert_ && init_ && finish_);
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    folder_ = std::string(dir) + "icom32test";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  static std::string Numbered(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "t%d.bmp", i);
    return name;
  }
  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  static void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
  }
  static std::vector<uint8_t> Read(const std::string& path) {
    std::vector<uint8_t> bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(f, nullptr));
    DWORD done = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(f);
    return bytes;
  }
  static uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
  }
  // A w x h binary PPM whose pixel (x, y) is (x * 9, y * 13, x ^ y).
  static std::vector<uint8_t> Ppm(int w, int h) {
    char head[64];
    const int n = std::snprintf(head, sizeof head, "P6\n%d %d\n255\n", w, h);
    std::vector<uint8_t> out(head, head + n);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        out.push_back(static_cast<uint8_t>(x * 9));
        out.push_back(static_cast<uint8_t>(y * 13));
        out.push_back(static_cast<uint8_t>(x ^ y));
      }
    return out;
  }

  HMODULE module_ = nullptr;
  IcoConvertImageFn convert_ = nullptr;
  IcoInitialiseFn init_ = nullptr;
  IcoFinishBootScreenFn finish_ = nullptr;
  std::string folder_;
};

TEST_F(Icom32, ConvertsToATwentyFourBitBitmapOfTheSourcePixels) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1573);
  EXPECT_EQ(init_(block), 1);
  Write(Path("in.ppm"), Ppm(5, 4));
  int option = 2;
  ASSERT_NE(convert_(Path("in.ppm").c_str(), Path("out.bmp").c_str(), 1, &option, 1), -1);
  const auto bmp = Read(Path("out.bmp"));
  ASSERT_EQ(bmp.size(), 54u + 16u * 4u);
  EXPECT_EQ(U32(bmp, 18), 5u);
  EXPECT_EQ(U32(bmp, 22), 4u);
  EXPECT_EQ(bmp[28], 24);
  // Pixel (3, 0) of the top row sits in the last stored row, as blue, green, red.
  const size_t at = 54 + 16 * 3 + 3 * 3;
  EXPECT_EQ(bmp[at + 2], 27);
  EXPECT_EQ(bmp[at + 1], 0);
  EXPECT_EQ(bmp[at + 0], 3);
  GlobalFree(block);
}

TEST_F(Icom32, UnreadableSourcesFailAndLeaveTheDestinationAlone) {
  Write(Path("keep.bmp"), {'k', 'e', 'e', 'p'});
  Write(Path("bad.tif"), {'I', 'I', 42, 0, 8, 0, 0, 0});
  Write(Path("bad.pcx"), {0x0A, 5, 1, 8, 0, 0, 0, 0});
  int option = 0;
  for (const char* name : {"bad.tif", "bad.pcx", "missing.jpg"}) {
    EXPECT_EQ(convert_(Path(name).c_str(), Path("keep.bmp").c_str(), 1, &option, 1), -1) << name;
    EXPECT_EQ(Read(Path("keep.bmp")), (std::vector<uint8_t>{'k', 'e', 'e', 'p'})) << name;
  }
  EXPECT_EQ(convert_(Path("in.ppm").c_str(), (folder_ + "\\no such folder\\x.bmp").c_str(), 1, &option, 1), -1);
}

TEST_F(Icom32, AFileConvertsOntoItself) {
  Write(Path("self.bmp"), Ppm(6, 6));
  int option = 2;
  ASSERT_NE(convert_(Path("self.bmp").c_str(), Path("self.bmp").c_str(), 1, &option, 1), -1);
  const auto bmp = Read(Path("self.bmp"));
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(U32(bmp, 18), 6u);
}

TEST_F(Icom32, BootScreenFinishedInPlaceIs320By400EightBit) {
  Write(Path("logo.ppm"), Ppm(100, 60));
  int option = 2;
  ASSERT_NE(convert_(Path("logo.ppm").c_str(), Path("LOGO.SYS").c_str(), 1, &option, 1), -1);
  EXPECT_EQ(finish_(Path("LOGO.SYS").c_str(), Path("LOGO.SYS").c_str(), 8, 0), 1);
  const auto sys = Read(Path("LOGO.SYS"));
  ASSERT_EQ(sys.size(), 54u + 1024u + 320u * 400u);
  EXPECT_EQ(sys[0], 'B');
  EXPECT_EQ(U32(sys, 18), 320u);
  EXPECT_EQ(U32(sys, 22), 400u);
  EXPECT_EQ(sys[28], 8);
  EXPECT_EQ(U32(sys, 30), 0u);
  Write(Path("junk.sys"), {1, 2, 3});
  EXPECT_EQ(finish_(Path("junk.sys").c_str(), Path("junk.sys").c_str(), 8, 0), -1);
  EXPECT_EQ(Read(Path("junk.sys")).size(), 3u);
}

TEST_F(Icom32, ConversionsFromSeveralThreadsAllSucceed) {
  Write(Path("t.ppm"), Ppm(64, 64));
  std::vector<std::thread> threads;
  std::vector<int> results(6, -1);
  for (int i = 0; i < 6; ++i)
    threads.emplace_back([&, i] {
      const std::string out = Path(Numbered(i).c_str());
      int option = 0;
      results[static_cast<size_t>(i)] =
          i % 2 ? convert_(Path("t.ppm").c_str(), out.c_str(), 1, &option, 1)
                : (convert_(Path("t.ppm").c_str(), out.c_str(), 1, &option, 1), finish_(out.c_str(), out.c_str(), 8, 0));
    });
  for (auto& t : threads) t.join();
  for (int i = 0; i < 6; ++i) {
    EXPECT_NE(results[static_cast<size_t>(i)], -1) << i;
    const auto bmp = Read(Path(Numbered(i).c_str()));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(U32(bmp, 18), i % 2 ? 64u : 320u) << i;
  }
}

// Every corpus file, whole and cut at several lengths, through the library: a success leaves a
// bitmap, a failure leaves the destination as it was; nothing takes the process down.
TEST_F(Icom32, CorpusFilesWholeAndCutConvertOrFailCleanly) {
  int files = 0;
  for (const char* folder : {"formats", "damaged"}) {
    const std::string base = std::string(IMAGECONV_CORPUS) + "/" + folder + "/";
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((base + "*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << base;
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      ++files;
      const std::vector<uint8_t> whole = Read(base + found.cFileName);
      const size_t n = whole.size();
      for (size_t cut : {n, n / 3, n / 2, n - 1}) {
        Write(Path("cut.img"), std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
        Write(Path("cut.bmp"), {'k'});
        int option = 2;
        const int r = convert_(Path("cut.img").c_str(), Path("cut.bmp").c_str(), 1, &option, 1);
        const auto bmp = Read(Path("cut.bmp"));
        if (r == -1) {
          EXPECT_EQ(bmp, std::vector<uint8_t>{'k'}) << found.cFileName << " cut at " << cut;
          EXPECT_FALSE(cut == n && std::string(folder) == "formats") << found.cFileName;
        } else {
          ASSERT_GE(bmp.size(), 54u) << found.cFileName << " cut at " << cut;
          EXPECT_EQ(U32(bmp, 2), bmp.size()) << found.cFileName << " cut at " << cut;
        }
      }
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  EXPECT_GT(files, 10);
}

}  // namespace
