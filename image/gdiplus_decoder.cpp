#include "image/gdiplus_decoder.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

#include "image/declared_picture_size.h"

#include "platform/win32_handles.h"

namespace gp = Gdiplus::DllExports;

namespace {

// A GDI+ bitmap made over a bottom-up 32-bit DIB section's own memory takes a
// drawing with status Ok yet keeps its pixels zero on some GDI+ versions, so
// every picture came out black. A graphics context on a memory device context
// that holds the section lands the same pixels (and the same blending over
// the zeroed section) on every version.
Gdiplus::GpStatus DrawIntoSection(Gdiplus::GpImage* picture, HBITMAP section, int width,
                                  int height) {
  Gdiplus::GpStatus status = Gdiplus::GenericError;
  {
    const ScopedMemoryDc dc;
    if (!dc.ok()) return Gdiplus::OutOfMemory;
    const ScopedSelection selection(dc.get(), section);
    if (selection.ok()) {
      Gdiplus::GpGraphics* graphics = nullptr;
      gp::GdipCreateFromHDC(dc.get(), &graphics);
      // A context that could not be made fails the drawing, which is the status
      // that decides.
      status = graphics != nullptr
                   ? gp::GdipDrawImageRectI(graphics, picture, 0, 0, width, height)
                   : Gdiplus::OutOfMemory;
      if (graphics != nullptr) gp::GdipDeleteGraphics(graphics);
    }
  }
  ::GdiFlush();
  return status;
}

// False when the file's header declares a picture too large for any section.
// A file that cannot be read here is left to GDI+, whose failure then decides.
bool DeclaredSizeFits(const char* path) {
  // Frame headers follow at most a few metadata segments of up to 64 KB each.
  constexpr DWORD kHeaderBytes = 256 * 1024;
  ScopedFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return true;
  std::vector<uint8_t> head(kHeaderBytes);
  DWORD got = 0;
  if (!::ReadFile(file.get(), head.data(), kHeaderBytes, &got, nullptr)) return true;
  return DeclaredSizeFitsABitmap(head.data(), got);
}

}  // namespace

HBITMAP LoadPictureViaGdiPlus(const char* path) {
  WCHAR widePath[260];
  if (::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, 260) == 0) return nullptr;
  if (!DeclaredSizeFits(path)) return nullptr;

  Gdiplus::GpBitmap* created = nullptr;
  const Gdiplus::GpStatus opened = gp::GdipCreateBitmapFromFile(widePath, &created);
  const ScopedGdiplusImage picture(created);
  if (opened != Gdiplus::Ok) return nullptr;
  UINT width = 0;
  UINT height = 0;
  gp::GdipGetImageWidth(picture.get(), &width);
  gp::GdipGetImageHeight(picture.get(), &height);

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
  if (width == 0 || height == 0 || width > 0x7FFFFFFFu / 4u / height) return nullptr;

  void* bits = nullptr;
  ScopedGdiObject<HBITMAP> section(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section.ok()) return nullptr;
  const Gdiplus::GpStatus status = DrawIntoSection(picture.get(), section.get(),
                                                   info.bmiHeader.biWidth,
                                                   info.bmiHeader.biHeight);
  return status == Gdiplus::Ok ? section.release() : nullptr;
}
