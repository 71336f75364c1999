#include "tests/image/test_support.h"

#include <objidl.h>
#include <gdiplus.h>

#include "gtest/gtest.h"
#include "image/plugin_host.h"
#include "tests/support/bmp_file.h"
#include "tests/support/program_paths.h"

namespace {

// Every test program here decodes with GDI+, which the program starts itself.
class GdiPlusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

::testing::Environment* const gdiPlus =
    ::testing::AddGlobalTestEnvironment(new GdiPlusEnvironment);

uint8_t ByteOf(int value) { return static_cast<uint8_t>(value & 0xFF); }

}  // namespace

std::ostream& operator<<(std::ostream& out, const Bgr& pixel) {
  return out << "(b " << pixel.blue << ", g " << pixel.green << ", r " << pixel.red << ")";
}

Bgr PatternPixel(int x, int y) {
  return Bgr{(60 * x + 90 * y) % 256, 220 - 70 * y, 30 + 45 * x};
}

Bgr PixelAt(const void* bits, int width, int height, int x, int y) {
  const BYTE* p = static_cast<const BYTE*>(bits) + ((height - 1 - y) * width + x) * 4;
  return Bgr{p[0], p[1], p[2]};
}

Bgr HeldPixel(const DibImage& holder, int x, int y) {
  return PixelAt(holder.bits, holder.info.bmiHeader.biWidth, holder.info.bmiHeader.biHeight, x,
                 y);
}

Bgr SectionPixel(HBITMAP section, int x, int y) {
  DIBSECTION dib;
  if (::GetObjectA(section, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32) {
    ADD_FAILURE() << "not a 32-bit DIB section";
    return Bgr{-1, -1, -1};
  }
  return PixelAt(dib.dsBm.bmBits, dib.dsBm.bmWidth, dib.dsBm.bmHeight, x, y);
}

std::string DataFile(const char* name) { return TestProgramFolder() + "\\image_data\\" + name; }
std::string TestPlugin(const char* name) { return TestProgramFolder() + "\\image_plugins\\" + name; }
std::string NetpbmPlugin() { return TestProgramFolder() + "\\image_plugins\\netpbm.spi"; }

std::string TempFolder::Write(const char* name, const std::string& bytes) const {
  EXPECT_TRUE(TestFolder::Write(name, bytes)) << Child(name);
  return Child(name);
}

std::string TempFolder::Copy(const std::string& source, const char* name) const {
  EXPECT_TRUE(CopyIn(source, name)) << source;
  return Child(name);
}

std::vector<std::string> DirectoryOrder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = ::FindFirstFileA((folder + "\\*.spi").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(entry.cFileName);
  } while (::FindNextFileA(search, &entry));
  ::FindClose(search);
  return names;
}

LoadedPlugins::LoadedPlugins(const std::string& folder) { LoadPlugins(table, folder.c_str()); }
LoadedPlugins::~LoadedPlugins() { UnloadPlugins(table); }

std::string ScriptedFile(char command) { return std::string("GLYT") + command; }

std::string Bmp24(int width, int height, const std::vector<Bgr>& pixels, bool topDown) {
  std::vector<uint8_t> bgr;
  for (const Bgr& p : pixels) bgr.insert(bgr.end(), {ByteOf(p.blue), ByteOf(p.green), ByteOf(p.red)});
  return Bmp24File(width, height, bgr, topDown);
}

std::string Bmp8(int width, int height, const std::vector<Bgr>& palette,
                 const std::vector<int>& indices) {
  std::vector<uint8_t> paletteBgr;
  for (const Bgr& c : palette) {
    paletteBgr.insert(paletteBgr.end(), {ByteOf(c.blue), ByteOf(c.green), ByteOf(c.red)});
  }
  std::vector<uint8_t> indexBytes;
  for (int index : indices) indexBytes.push_back(ByteOf(index));
  return Bmp8File(width, height, paletteBgr, indexBytes);
}

bool DeleteIfClosed(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }
