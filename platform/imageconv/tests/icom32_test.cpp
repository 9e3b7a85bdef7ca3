// ICOM32.DLL as the program meets it: loaded by name, called by ordinal.
#include <gtest/gtest.h>

#include <icom32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <vfw.h>

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

// Pictures only the platform can make here: a red square on white, drawn into an enhanced
// metafile, a plain and a placeable Windows metafile, an EPS file carrying the placeable one
// as its preview and a clipboard file carrying the enhanced one; a WordPerfect drawing; a blue left half in the first frame of an uncompressed video.
class PlatformDrawn : public Icom32 {
protected:
  std::vector<uint8_t> Enhanced() {
    HDC screen = GetDC(nullptr);
    RECT frame{0, 0, 2646, 1323};  // 100 x 50 pixels at 96 dots an inch, in 0.01 mm
    HDC dc = CreateEnhMetaFileA(screen, Path("m.emf").c_str(), &frame, nullptr);
    ReleaseDC(nullptr, screen);
    Square(dc, 50);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    return Read(Path("m.emf"));
  }
  std::vector<uint8_t> Plain() {
    HDC dc = CreateMetaFileA(Path("m.wmf").c_str());
    SetWindowExtEx(dc, 80, 40, nullptr);
    Square(dc, 40);
    DeleteMetaFile(CloseMetaFile(dc));
    return Read(Path("m.wmf"));
  }
  std::vector<uint8_t> Placeable(uint16_t width = 80, uint16_t height = 40) {
    const std::vector<uint8_t> plain = Plain();
    const uint8_t head[20] = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
                              static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8), 96, 0, 0, 0, 0, 0};
    std::vector<uint8_t> out(22 + plain.size());
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(head[i] | head[i + 1] << 8);
    std::copy(head, head + 20, out.begin());
    out[20] = static_cast<uint8_t>(sum);
    out[21] = static_cast<uint8_t>(sum >> 8);
    std::copy(plain.begin(), plain.end(), out.begin() + 22);
    return out;
  }
  std::vector<uint8_t> Eps() {
    const std::vector<uint8_t> wmf = Placeable();
    std::vector<uint8_t> out(30 + wmf.size(), 0);
    const uint32_t fields[] = {0xC6D3D0C5, 30, 0, 30, static_cast<uint32_t>(wmf.size()), 0, 0};
    for (size_t i = 0; i < 7; ++i)
      for (size_t b = 0; b < 4; ++b) out[i * 4 + b] = static_cast<uint8_t>(fields[i] >> (8 * b));
    std::copy(wmf.begin(), wmf.end(), out.begin() + 30);
    return out;
  }
  // An NT clipboard file whose only entry is the enhanced metafile.
  std::vector<uint8_t> Clipboard() {
    const std::vector<uint8_t> emf = Enhanced();
    std::vector<uint8_t> out(174 + emf.size(), 0);
    const uint32_t fields[] = {0x0001C351, 14, static_cast<uint32_t>(emf.size()), 174};
    for (size_t i = 0; i < 4; ++i)
      for (size_t b = 0; b < 4; ++b) out[i * 4 + b] = static_cast<uint8_t>(fields[i] >> (8 * b));
    std::copy(emf.begin(), emf.end(), out.begin() + 174);
    return out;
  }
  // A WordPerfect drawing one inch by half an inch, a red square filling its left half.
  static std::vector<uint8_t> Drawing() {
    return {0xFF, 'W', 'P', 'C', 16, 0, 0, 0, 1, 0x16, 1, 0, 0, 0, 0, 0,
            0x0F, 6, 1, 0, 0xB0, 0x04, 0x58, 0x02,   // start: 1200 x 600 units
            0x0E, 6, 2, 1, 0, 255, 0, 0,             // colour 2 is red
            0x02, 4, 0, 0, 0, 0,                     // no outline
            0x01, 2, 1, 2,                           // filled with colour 2
            0x07, 8, 0, 0, 0, 0, 0x58, 0x02, 0x58, 0x02,
            0x10, 0};
  }
  static void Square(HDC dc, int side) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT square{0, 0, side, side};
    FillRect(dc, &square, red);
    DeleteObject(red);
  }
  std::vector<uint8_t> Video() {
    const std::string path = Path("v.avi");
    DeleteFileA(path.c_str());
    AVIFileInit();
    PAVIFILE file = nullptr;
    std::vector<uint8_t> bits(16 * 3 * 8);
    for (size_t i = 0; i < bits.size(); i += 3) bits[i] = (i / 3) % 16 < 8 ? 255 : 0;  // blue, as B G R
    if (AVIFileOpenA(&file, path.c_str(), OF_CREATE | OF_WRITE, nullptr) == 0) {
      AVISTREAMINFOA info{};
      info.fccType = streamtypeVIDEO;
      info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
      info.dwScale = 1;
      info.dwRate = 15;
      info.dwSuggestedBufferSize = static_cast<DWORD>(bits.size());
      SetRect(&info.rcFrame, 0, 0, 16, 8);
      PAVISTREAM stream = nullptr;
      if (AVIFileCreateStreamA(file, &stream, &info) == 0) {
        BITMAPINFOHEADER format{sizeof format, 16, 8, 1, 24, BI_RGB, static_cast<DWORD>(bits.size()), 0, 0, 0, 0};
        AVIStreamSetFormat(stream, 0, &format, sizeof format);
        for (LONG frame = 0; frame < 2; ++frame)
          AVIStreamWrite(stream, frame, 1, bits.data(), static_cast<LONG>(bits.size()), AVIIF_KEYFRAME, nullptr, nullptr);
        AVIStreamRelease(stream);
      }
      AVIFileRelease(file);
    }
    AVIFileExit();
    return Read(path);
  }
};

TEST_F(PlatformDrawn, MetafilesAndVideoBecomeBitmapsOfTheirStatedSize) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    uint32_t width, height;
    POINT inside, outside;
    COLORREF colour, background;
  } cases[] = {
      {"d.emf", Enhanced(), 100, 50, {10, 10}, {90, 40}, RGB(255, 0, 0), RGB(255, 255, 255)},
      {"p.wmf", Plain(), 80, 40, {10, 10}, {70, 30}, RGB(255, 0, 0), RGB(255, 255, 255)},
      {"q.wmf", Placeable(), 80, 40, {30, 30}, {70, 10}, RGB(255, 0, 0), RGB(255, 255, 255)},
      {"w.eps", Eps(), 80, 40, {30, 30}, {70, 10}, RGB(255, 0, 0), RGB(255, 255, 255)},
      {"c.clp", Clipboard(), 100, 50, {10, 10}, {90, 40}, RGB(255, 0, 0), RGB(255, 255, 255)},
      {"d.wpg", Drawing(), 96, 48, {10, 10}, {80, 20}, RGB(255, 0, 0), RGB(255, 255, 255)},
      {"f.avi", Video(), 16, 8, {2, 2}, {12, 2}, RGB(0, 0, 255), RGB(0, 0, 0)},
  };
  for (const Case& c : cases) {
    ASSERT_GT(c.bytes.size(), 16u) << c.name;
    Write(Path(c.name), c.bytes);
    int option = 2;
    ASSERT_NE(convert_(Path(c.name).c_str(), Path("drawn.bmp").c_str(), 1, &option, 1), -1) << c.name;
    const auto bmp = Read(Path("drawn.bmp"));
    ASSERT_GE(bmp.size(), 54u) << c.name;
    EXPECT_EQ(U32(bmp, 18), c.width) << c.name;
    ASSERT_EQ(U32(bmp, 22), c.height) << c.name;
    const size_t stride = (c.width * 3 + 3) & ~3u;
    auto at = [&](POINT p) {
      const uint8_t* px = bmp.data() + 54 + (c.height - 1 - static_cast<uint32_t>(p.y)) * stride + static_cast<uint32_t>(p.x) * 3;
      return RGB(px[2], px[1], px[0]);
    };
    EXPECT_EQ(at(c.inside), c.colour) << c.name;
    EXPECT_EQ(at(c.outside), c.background) << c.name;
    // Cut short or scribbled over, the file converts or fails; the process lives on.
    const size_t n = c.bytes.size();
    for (size_t cut : {n / 3, n / 2, n - 1, n + 1}) {
      std::vector<uint8_t> damaged(c.bytes.begin(), c.bytes.begin() + static_cast<long>(std::min(cut, n)));
      if (cut > n)
        for (size_t i = 24; i < n; i += 7) damaged[i] = static_cast<uint8_t>(damaged[i] * 31 + 0xA5);
      Write(Path(c.name), damaged);
      const int r = convert_(Path(c.name).c_str(), Path("drawn.bmp").c_str(), 1, &option, 1);
      EXPECT_TRUE(r == -1 || Read(Path("drawn.bmp")).size() >= 54) << c.name << " cut at " << cut;
    }
  }
}

// A drawing of a few hundred bytes may not claim a picture of hundreds of megabytes.
TEST_F(PlatformDrawn, ATinyDrawingClaimingAHugePictureIsRefused) {
  const std::vector<uint8_t> wmf = Placeable(16384, 16384);
  ASSERT_LT(wmf.size(), 1024u);
  Write(Path("huge.wmf"), wmf);
  int option = 2;
  EXPECT_EQ(convert_(Path("huge.wmf").c_str(), Path("drawn.bmp").c_str(), 1, &option, 1), -1);
}

// Every corpus file, whole and cut at several lengths, through the library: a success leaves a
// bitmap, a failure leaves the destination as it was; nothing takes the process down.
TEST_F(Icom32, CorpusFilesWholeAndCutConvertOrFailCleanly) {
  int files = 0;
  for (const char* folder : {"formats", "platform", "damaged"}) {
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
          EXPECT_FALSE(cut == n && std::string(folder) != "damaged") << found.cFileName;
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
