#include "image/png_writer.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "image/dib_size.h"
#include "platform/win32_handles.h"

namespace gp = Gdiplus::DllExports;

namespace {

// The PNG encoder's class, looked up by its MIME type rather than a fixed CLSID.
bool FindPngEncoder(CLSID* encoder) {
  UINT count = 0, bytes = 0;
  if (gp::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<uint8_t> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (gp::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType != nullptr && std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool WriteGreyPng(const char* path, const uint8_t* grey, int32_t width, int32_t height) {
  int rowBytes = 0, pixelBytes = 0;
  if (!DibRowBytes(24, width, &rowBytes) || !DibPixelBytes(24, width, height, &pixelBytes)) {
    return false;
  }
  WCHAR widePath[MAX_PATH];
  if (::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0) return false;
  CLSID encoder;
  if (!FindPngEncoder(&encoder)) return false;

  // Rows top-down, 3 bytes a pixel: the layout GDI+ takes for a positive stride.
  std::vector<uint8_t> pixels(static_cast<size_t>(pixelBytes), 0);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pixels.data() + static_cast<size_t>(y) * rowBytes;
    for (int32_t x = 0; x < width; ++x) {
      std::memset(row + 3 * x, grey[static_cast<size_t>(y) * width + x], 3);
    }
  }
  Gdiplus::GpBitmap* bitmap = nullptr;
  const Gdiplus::GpStatus made = gp::GdipCreateBitmapFromScan0(
      width, height, rowBytes, PixelFormat24bppRGB, pixels.data(), &bitmap);
  ScopedGdiplusImage owner(bitmap);
  return made == Gdiplus::Ok && bitmap != nullptr &&
         gp::GdipSaveImageToFile(bitmap, widePath, &encoder, nullptr) == Gdiplus::Ok;
}
