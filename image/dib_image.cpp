#include "image/dib_image.h"

#include <cstring>

#include "image/gdiplus_decoder.h"
#include "image/plugin_host.h"

// Zero at program start: static storage with no constructor to run.
DibImage dibImage;

namespace {

// The holder's end-of-program clean-up lives apart from it, so the holder
// stays plain data that can be copied and zero-filled freely.
struct HolderCleanup {
  ~HolderCleanup() { dibImage.Reset(); }
} holderCleanup;

}  // namespace

void DibImage::Reset() {
  // A bitmap still selected into a device context cannot be deleted.
  if (memoryDc != nullptr) {
    ::DeleteDC(memoryDc);
    memoryDc = nullptr;
  }
  if (bitmap != nullptr) {
    ::DeleteObject(bitmap);
    bitmap = nullptr;
  }
  std::memset(&info, 0, sizeof info);
  bits = nullptr;
  imageSize = 0;
}

int DibImage::Load(const PluginTable& plugins, const char* fileName, int bitCount) {
  HBITMAP decoded = LoadPictureViaPlugins(plugins, fileName);
  if (decoded == nullptr) decoded = LoadPictureViaGdiPlus(fileName);
  if (decoded == nullptr) return 0;

  Reset();
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  info.bmiHeader.biCompression = BI_RGB;
  bitmap = ConvertToDib(&info, &bits, decoded);
  ::DeleteObject(decoded);
  if (bitmap == nullptr) return 0;

  imageSize = info.bmiHeader.biSizeImage;
  memoryDc = ::CreateCompatibleDC(nullptr);
  if (memoryDc == nullptr) return 0;
  ::SelectObject(memoryDc, bitmap);
  return 1;
}
