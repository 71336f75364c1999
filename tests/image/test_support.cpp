#include "tests/image/test_support.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

#include "gtest/gtest.h"
#include "image/plugin_host.h"

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

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

void Put16(std::string* out, int value) {
  out->push_back(static_cast<char>(value & 0xFF));
  out->push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string* out, int value) {
  Put16(out, value & 0xFFFF);
  Put16(out, (value >> 16) & 0xFFFF);
}

std::string BmpHeaders(int width, int height, int bitCount, int colours, int pixelBytes) {
  const int offset = 14 + 40 + colours * 4;
  std::string out = "BM";
  Put32(&out, offset + pixelBytes);
  Put32(&out, 0);
  Put32(&out, offset);
  Put32(&out, 40);
  Put32(&out, width);
  Put32(&out, height);
  Put16(&out, 1);
  Put16(&out, bitCount);
  Put32(&out, BI_RGB);
  Put32(&out, pixelBytes);
  Put32(&out, 2835);
  Put32(&out, 2835);
  Put32(&out, colours);
  Put32(&out, 0);
  return out;
}

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

std::string DataFile(const char* name) { return ProgramFolder() + "\\image_data\\" + name; }
std::string TestPlugin(const char* name) { return ProgramFolder() + "\\image_plugins\\" + name; }
std::string NetpbmPlugin() { return ProgramFolder() + "\\image_plugins\\netpbm.spi"; }

TempFolder::TempFolder(const char* suffix) {
  static int counter = 0;
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  std::string base(temp);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  // A run that crashed may have left folders whose names a new process (Wine
  // reuses process ids) would pick again: take the next free name.
  for (;;) {
    path_ = base + "\\glyphrane_image_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + suffix;
    if (::CreateDirectoryA(path_.c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  ADD_FAILURE() << "cannot create " << path_;
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAA entry;
  HANDLE search = ::FindFirstFileA((path_ + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0) {
        ::DeleteFileA((path_ + "\\" + entry.cFileName).c_str());
      }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(path_.c_str());
}

std::string TempFolder::Write(const char* name, const std::string& bytes) const {
  const std::string path = path_ + "\\" + name;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  if (!bytes.empty()) ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  EXPECT_EQ(written, bytes.size()) << path;
  return path;
}

std::string TempFolder::Copy(const std::string& source, const char* name) const {
  const std::string path = path_ + "\\" + name;
  EXPECT_TRUE(::CopyFileA(source.c_str(), path.c_str(), FALSE)) << source;
  return path;
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

LoadedPlugins::LoadedPlugins(const std::string& folder) { LoadPlugins(folder.c_str()); }
LoadedPlugins::~LoadedPlugins() { UnloadPlugins(); }

std::string ScriptedFile(char command) { return std::string("GLYT") + command; }

std::string Bmp24(int width, int height, const std::vector<Bgr>& pixels, bool topDown) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::string out = BmpHeaders(width, topDown ? -height : height, 24, 0, rowBytes * height);
  for (int i = 0; i < height; ++i) {
    const int y = topDown ? i : height - 1 - i;
    std::string row(rowBytes, '\0');
    for (int x = 0; x < width; ++x) {
      const Bgr& p = pixels[y * width + x];
      row[x * 3] = static_cast<char>(p.blue);
      row[x * 3 + 1] = static_cast<char>(p.green);
      row[x * 3 + 2] = static_cast<char>(p.red);
    }
    out += row;
  }
  return out;
}

std::string Bmp8(int width, int height, const std::vector<Bgr>& palette,
                 const std::vector<int>& indices) {
  const int rowBytes = (width + 3) / 4 * 4;
  const int colours = static_cast<int>(palette.size());
  std::string out = BmpHeaders(width, height, 8, colours, rowBytes * height);
  for (const Bgr& c : palette) {
    out.push_back(static_cast<char>(c.blue));
    out.push_back(static_cast<char>(c.green));
    out.push_back(static_cast<char>(c.red));
    out.push_back('\0');
  }
  for (int y = height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < width; ++x) row[x] = static_cast<char>(indices[y * width + x]);
    out += row;
  }
  return out;
}

bool DeleteIfClosed(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }
