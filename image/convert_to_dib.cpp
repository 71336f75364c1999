#include "image/dib_image.h"
#include "image/dib_size.h"
#include "platform/win32_handles.h"

HBITMAP ConvertToDib(BITMAPINFO* info, void** bitsOut, HBITMAP source) {
  *bitsOut = nullptr;
  BITMAP description;
  if (::GetObjectA(source, sizeof description, &description) == 0) return nullptr;

  const ScopedMemoryDc sourceDc;
  if (!sourceDc.ok()) return nullptr;
  const ScopedMemoryDc destinationDc;
  if (!destinationDc.ok()) return nullptr;

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
  HGDIOBJ oldSource = ::SelectObject(sourceDc.get(), source);
  HGDIOBJ oldDestination = ::SelectObject(destinationDc.get(), section);
  const BOOL copied = ::BitBlt(destinationDc.get(), 0, 0, description.bmWidth,
                               description.bmHeight, sourceDc.get(), 0, 0, SRCCOPY);
  ::SelectObject(sourceDc.get(), oldSource);
  ::SelectObject(destinationDc.get(), oldDestination);
  ::GdiFlush();
  if (!copied) {
    ::DeleteObject(section);
    *bitsOut = nullptr;
    return nullptr;
  }
  return section;
}
