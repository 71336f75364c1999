// The Netpbm image plug-in: the exported functions of the image plug-in
// interface, over the parser. Every export runs inside the host's callback
// chain, so nothing here may throw and every failure is a result code.

#include <windows.h>

#include <cstring>

#include "image/plugins/netpbm/netpbm_parser.h"
#include "platform/win32_handles.h"

namespace {

// Result codes of the plug-in interface.
const int kDone = 0;
const int kUnknownFormat = 2;
const int kBrokenData = 3;
const int kOutOfMemory = 4;
const int kFileReadError = 6;
const int kNotImplemented = -1;

const DWORD kProbeBytes = 2048;

const char* const kPluginInfo[] = {
    "00IN",
    "Glyphrane Netpbm plug-in 1.0",
    "*.pbm;*.pgm;*.ppm;*.pnm",
    "Netpbm (PBM, PGM, PPM)",
};

// The colour table a format needs: PBM white then black, PGM a grey ramp.
DWORD FillColourTable(int bitCount, RGBQUAD* table) {
  if (bitCount == 1) {
    table[0] = RGBQUAD{255, 255, 255, 0};
    table[1] = RGBQUAD{0, 0, 0, 0};
    return 2;
  }
  if (bitCount == 8) {
    for (int i = 0; i < 256; ++i) {
      const BYTE grey = static_cast<BYTE>(i);
      table[i] = RGBQUAD{grey, grey, grey, 0};
    }
    return 256;
  }
  return 0;
}

// Decodes a whole file in memory into the two local memory blocks.
int DecodeMemory(const uint8_t* data, size_t size, HLOCAL* infoOut, HLOCAL* pixelsOut) {
  NetpbmHeader header;
  if (!HasNetpbmMagic(data, size)) return kUnknownFormat;
  if (!ParseNetpbmHeader(data, size, &header) || !NetpbmRasterMayFit(size, header)) {
    return kBrokenData;
  }
  const int bitCount = NetpbmBitCount(header.format);
  RGBQUAD table[256];
  const DWORD colours = FillColourTable(bitCount, table);
  const int pixelBytes = NetpbmPixelBytes(header);

  // Both blocks go to the host only on success.
  ScopedLocalMemory info(::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT,
                                      sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD)));
  ScopedLocalMemory pixels(::LocalAlloc(LMEM_MOVEABLE, pixelBytes));
  int result = kOutOfMemory;
  if (info.ok() && pixels.ok()) {
    BITMAPINFOHEADER* bih = static_cast<BITMAPINFOHEADER*>(::LocalLock(info.get()));
    uint8_t* rows = static_cast<uint8_t*>(::LocalLock(pixels.get()));
    if (bih != nullptr && rows != nullptr) {
      bih->biSize = sizeof(BITMAPINFOHEADER);
      bih->biWidth = header.width;
      bih->biHeight = header.height;
      bih->biPlanes = 1;
      bih->biBitCount = static_cast<WORD>(bitCount);
      bih->biCompression = BI_RGB;
      bih->biSizeImage = static_cast<DWORD>(pixelBytes);
      bih->biClrUsed = colours;
      std::memcpy(bih + 1, table, colours * sizeof(RGBQUAD));
      result = DecodeNetpbmRaster(data, size, header, rows) ? kDone : kBrokenData;
    }
    if (bih != nullptr) ::LocalUnlock(info.get());
    if (rows != nullptr) ::LocalUnlock(pixels.get());
  }
  if (result != kDone) return result;
  *infoOut = info.release();
  *pixelsOut = pixels.release();
  return kDone;
}

// Reads the file from offset on into a local block; null on failure.
HLOCAL ReadFileTail(LPCSTR path, LONG offset, DWORD* size) {
  const ScopedFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return nullptr;
  DWORD high = 0;
  const DWORD fileSize = ::GetFileSize(file.get(), &high);
  if (fileSize == INVALID_FILE_SIZE || high != 0 || offset < 0 ||
      static_cast<DWORD>(offset) > fileSize ||
      ::SetFilePointer(file.get(), offset, nullptr, FILE_BEGIN) != static_cast<DWORD>(offset)) {
    return nullptr;
  }
  *size = fileSize - static_cast<DWORD>(offset);
  ScopedLocalMemory contents(::LocalAlloc(LMEM_FIXED, *size + 1));
  DWORD read = 0;
  if (!contents.ok() || !::ReadFile(file.get(), contents.get(), *size, &read, nullptr) ||
      read != *size) {
    return nullptr;
  }
  return contents.release();
}

}  // namespace

extern "C" {

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
  if (infoNumber < 0 || infoNumber >= static_cast<int>(sizeof kPluginInfo / sizeof *kPluginInfo) ||
      buffer == nullptr || bufferLength <= 0) {
    return 0;
  }
  const char* text = kPluginInfo[infoNumber];
  int length = static_cast<int>(std::strlen(text));
  if (length > bufferLength - 1) length = bufferLength - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return length;
}

int WINAPI IsSupported(LPCSTR fileName, DWORD_PTR source) {
  (void)fileName;
  // Values whose upper 16 bits are zero are file handles, anything else a
  // pointer to at least 2 KB of the file's start.
  if ((source & ~static_cast<DWORD_PTR>(0xFFFF)) != 0) {
    return HasNetpbmMagic(reinterpret_cast<const uint8_t*>(source), kProbeBytes) ? 1 : 0;
  }
  uint8_t start[3];
  DWORD read = 0;
  if (!::ReadFile(reinterpret_cast<HANDLE>(source), start, sizeof start, &read, nullptr)) {
    return 0;
  }
  return HasNetpbmMagic(start, read) ? 1 : 0;
}

int WINAPI GetPicture(LPCSTR input, LONG length, UINT flags, HLOCAL* infoHandle,
                      HLOCAL* pixelsHandle, FARPROC progress, LONG userValue) {
  (void)progress;
  (void)userValue;
  if (infoHandle == nullptr || pixelsHandle == nullptr || input == nullptr) return kBrokenData;
  switch (flags & 7) {
    case 1:
      if (length < 0) return kBrokenData;
      return DecodeMemory(reinterpret_cast<const uint8_t*>(input), static_cast<size_t>(length),
                          infoHandle, pixelsHandle);
    case 0: {
      DWORD size = 0;
      const ScopedLocalMemory contents(ReadFileTail(input, length, &size));
      if (!contents.ok()) return kFileReadError;
      return DecodeMemory(static_cast<const uint8_t*>(contents.get()), size, infoHandle,
                          pixelsHandle);
    }
    default:
      return kNotImplemented;
  }
}

}  // extern "C"
