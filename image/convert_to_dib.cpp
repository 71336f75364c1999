#include "image/dib_image.h"
#include "image/dib_size.h"

namespace {

// The two memory device contexts of one copy, released on every path.
struct DcPair {
  HDC source = nullptr;
  HDC destination = nullptr;
  ~DcPair() {
    if (destination != nullptr) ::DeleteDC(destination);
    if (source != nullptr) ::DeleteDC(source);
  }
};

}  // namespace

HBITMAP ConvertToDib(BITMAPINFO* info, void** bitsOut, HBITMAP source) {
  *bitsOut = nullptr;
  BITMAP description;
  if (::GetObjectA(source, sizeof description, &description) == 0) return nullptr;

  DcPair dcs;
  dcs.source = ::CreateCompatibleDC(nullptr);
  if (dcs.source == nullptr) return nullptr;
  dcs.destination = ::CreateCompatibleDC(nullptr);
  if (dcs.destination == nullptr) return nullptr;

  BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biWidth == 0) header.biWidth = description.bmWidth;
  if (header.biHeight == 0) header.biHeight = description.bmHeight;
  int pixelBytes = 0;
  // A size that wraps around in 32 bits describes no section that can exist.
  if (!DibPixelBytes(header.biBitCount, header.biWidth, header.biHeight, &pixelBytes)) {
    return nullptr;
  }
  header.biSizeImage = static_cast<DWORD>(pixelBytes);

  HBITMAP section = ::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, bitsOut, nullptr, 0);
  if (section == nullptr) {
    *bitsOut = nullptr;
    return nullptr;
  }
  HGDIOBJ oldSource = ::SelectObject(dcs.source, source);
  HGDIOBJ oldDestination = ::SelectObject(dcs.destination, section);
  const BOOL copied = ::BitBlt(dcs.destination, 0, 0, description.bmWidth,
                               description.bmHeight, dcs.source, 0, 0, SRCCOPY);
  ::SelectObject(dcs.source, oldSource);
  ::SelectObject(dcs.destination, oldDestination);
  ::GdiFlush();
  if (!copied) {
    ::DeleteObject(section);
    *bitsOut = nullptr;
    return nullptr;
  }
  return section;
}
