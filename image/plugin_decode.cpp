#include <climits>
#include <cstring>

#include "image/dib_size.h"
#include "image/plugin_host.h"
#include "image/susie_interface.h"
#include "platform/win32_handles.h"

// A plug-in's answer is untrusted: every size it states is checked against the
// memory blocks it actually handed over before a byte is read from them.

namespace {

const UINT kHeaderBytes = sizeof(BITMAPINFOHEADER);

// The GetPicture of the first plug-in with both functions that claims data.
SusieGetPictureProc ChoosePlugin(const PluginTable& table, const void* data) {
  for (int i = 0; i < table.moduleCount; ++i) {
    HMODULE module = table.modules[i];
    if (module == nullptr) continue;
    auto isSupported = FindSusieExport<SusieIsSupportedProc>(module, "IsSupported");
    auto getPicture = FindSusieExport<SusieGetPictureProc>(module, "GetPicture");
    if (isSupported == nullptr || getPicture == nullptr) continue;
    if (isSupported(nullptr, reinterpret_cast<DWORD_PTR>(data)) != 0) return getPicture;
  }
  return nullptr;
}

bool IsSupportedFormat(const BITMAPINFOHEADER& header) {
  switch (header.biBitCount) {
    case 1: case 4: case 8: case 24:
      return header.biCompression == BI_RGB;
    case 16: case 32:
      return header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS;
    default:
      return false;
  }
}

// Colour entries (or masks) that follow the header in the section's BITMAPINFO.
// Above 8 bits a colour table only hints at a palette, so none is kept; at or
// below, more entries than the depth can index are never read.
DWORD ColourEntries(const BITMAPINFOHEADER& header) {
  if (header.biCompression == BI_BITFIELDS) return 3;
  if (header.biBitCount > 8) return 0;
  const DWORD full = 1u << header.biBitCount;
  return header.biClrUsed == 0 || header.biClrUsed > full ? full : header.biClrUsed;
}

// Copies the plug-in's header and colour table into *info, normalised to a
// 40-byte header; false when the block is too small or the picture unusable.
bool CopyHeader(HLOCAL infoHandle, PluginBitmapInfo* info, int* pixelBytes) {
  const SIZE_T blockBytes = ::LocalSize(infoHandle);
  if (blockBytes < kHeaderBytes) return false;
  const BYTE* block = static_cast<const BYTE*>(::LocalLock(infoHandle));
  if (block == nullptr) return false;

  BITMAPINFOHEADER header;
  std::memcpy(&header, block, kHeaderBytes);
  bool usable = header.biSize >= kHeaderBytes && header.biSize <= blockBytes &&
                IsSupportedFormat(header) &&
                DibPixelBytes(header.biBitCount, header.biWidth, header.biHeight, pixelBytes);
  if (usable) {
    // Masks sit right after the first 40 bytes whatever the header's version;
    // a colour table follows the whole header.
    const DWORD entries = ColourEntries(header);
    const SIZE_T tableOffset =
        header.biCompression == BI_BITFIELDS ? kHeaderBytes : header.biSize;
    const SIZE_T tableBytes = entries * sizeof(RGBQUAD);
    usable = tableOffset + tableBytes <= blockBytes;
    if (usable) {
      std::memset(info, 0, sizeof *info);
      info->bmiHeader = header;
      info->bmiHeader.biSize = kHeaderBytes;
      info->bmiHeader.biClrUsed = header.biBitCount <= 8 ? entries : 0;
      info->bmiHeader.biClrImportant = 0;
      std::memcpy(info->bmiColors, block + tableOffset, tableBytes);
    }
  }
  ::LocalUnlock(infoHandle);
  return usable;
}

// Copies pixelBytes of rows into a new buffer, turning a top-down picture
// bottom-up; null when the block is too small or memory runs out.
void* CopyPixels(HLOCAL pixelsHandle, PluginBitmapInfo* info, int pixelBytes) {
  if (::LocalSize(pixelsHandle) < static_cast<SIZE_T>(pixelBytes)) return nullptr;
  const BYTE* source = static_cast<const BYTE*>(::LocalLock(pixelsHandle));
  if (source == nullptr) return nullptr;
  BYTE* pixels = static_cast<BYTE*>(::LocalAlloc(LMEM_FIXED, pixelBytes));
  if (pixels != nullptr) {
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biHeight > 0) {
      std::memcpy(pixels, source, pixelBytes);
    } else {
      const int rows = -header.biHeight;
      const int rowBytes = pixelBytes / rows;
      for (int row = 0; row < rows; ++row) {
        std::memcpy(pixels + static_cast<SIZE_T>(row) * rowBytes,
                    source + static_cast<SIZE_T>(rows - 1 - row) * rowBytes, rowBytes);
      }
      header.biHeight = rows;
    }
  }
  ::LocalUnlock(pixelsHandle);
  return pixels;
}

}  // namespace

int DecodeWithPlugin(const PluginTable& table, const void* data, long size,
                     PluginBitmapInfo* info, void** pixels) {
  *pixels = nullptr;
  SusieGetPictureProc getPicture = ChoosePlugin(table, data);
  if (getPicture == nullptr) return -1;

  HLOCAL infoHandle = nullptr;
  HLOCAL pixelsHandle = nullptr;
  const int answer = getPicture(static_cast<LPCSTR>(data), size, kSusieInputMemory,
                                &infoHandle, &pixelsHandle, nullptr, 0);
  // A failed decode hands over nothing that the host may free.
  if (answer != 0) return answer;
  // One block handed over twice is freed once.
  const ScopedLocalMemory ownedInfo(infoHandle);
  const ScopedLocalMemory ownedPixels(pixelsHandle != infoHandle ? pixelsHandle : nullptr);

  int pixelBytes = 0;
  if (infoHandle != nullptr && pixelsHandle != nullptr &&
      CopyHeader(infoHandle, info, &pixelBytes)) {
    *pixels = CopyPixels(pixelsHandle, info, pixelBytes);
  }
  return *pixels != nullptr ? 0 : 1;
}
