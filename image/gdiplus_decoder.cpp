#include "image/gdiplus_decoder.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "image/declared_picture_size.h"

namespace gp = Gdiplus::DllExports;

namespace {

// A GDI+ bitmap made over a bottom-up 32-bit DIB section's own memory takes a
// drawing with status Ok yet keeps its pixels zero on some GDI+ versions, so
// every picture came out black. A graphics context on a memory device context
// that holds the section lands the same pixels (and the same blending over
// the zeroed section) on every version.
Gdiplus::GpStatus DrawIntoSection(Gdiplus::GpImage* picture, HBITMAP section, int width,
                                  int height) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (dc == nullptr) return Gdiplus::OutOfMemory;
  HGDIOBJ previous = ::SelectObject(dc, section);
  Gdiplus::GpStatus status = Gdiplus::GenericError;
  if (previous != nullptr && previous != HGDI_ERROR) {
    Gdiplus::GpGraphics* graphics = nullptr;
    gp::GdipCreateFromHDC(dc, &graphics);
    // A context that could not be made fails the drawing, which is the status
    // that decides.
    status = graphics != nullptr
                 ? gp::GdipDrawImageRectI(graphics, picture, 0, 0, width, height)
                 : Gdiplus::OutOfMemory;
    if (graphics != nullptr) gp::GdipDeleteGraphics(graphics);
    ::SelectObject(dc, previous);
  }
  ::DeleteDC(dc);
  ::GdiFlush();
  return status;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// False when the file's header declares a picture too large for any section.
// A file that cannot be read here is left to GDI+, whose failure then decides.
bool DeclaredSizeFits(const char* path) {
  // Frame headers follow at most a few metadata segments of up to 64 KB each.
  constexpr size_t kHeaderBytes = 256 * 1024;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (file == nullptr) return true;
  std::vector<uint8_t> head(kHeaderBytes);
  const size_t got = std::fread(head.data(), 1, head.size(), file.get());
  return DeclaredSizeFitsABitmap(head.data(), got);
}

}  // namespace

HBITMAP LoadPictureViaGdiPlus(const char* path) {
  WCHAR widePath[260];
  if (::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, 260) == 0) return nullptr;
  if (!DeclaredSizeFits(path)) return nullptr;

  Gdiplus::GpBitmap* picture = nullptr;
  if (gp::GdipCreateBitmapFromFile(widePath, &picture) != Gdiplus::Ok) {
    if (picture != nullptr) gp::GdipDisposeImage(picture);
    return nullptr;
  }
  UINT width = 0;
  UINT height = 0;
  gp::GdipGetImageWidth(picture, &width);
  gp::GdipGetImageHeight(picture, &height);

  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = width * 4u * height;
  // A size that does not fit in 32 bits cannot be a section; CreateDIBSection
  // would otherwise be asked for a wrapped-around size.
  if (width == 0 || height == 0 || width > 0x7FFFFFFFu / 4u / height) {
    gp::GdipDisposeImage(picture);
    return nullptr;
  }

  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) {
    gp::GdipDisposeImage(picture);
    return nullptr;
  }
  const Gdiplus::GpStatus status = DrawIntoSection(picture, section, info.bmiHeader.biWidth,
                                                   info.bmiHeader.biHeight);
  gp::GdipDisposeImage(picture);
  if (status != Gdiplus::Ok) {
    ::DeleteObject(section);
    return nullptr;
  }
  return section;
}
