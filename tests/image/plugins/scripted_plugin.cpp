// A test plug-in that answers as each scripted command asks, so the host's
// handling of well-formed, odd and broken answers can be checked one by one.
// Built several times: PLUGIN_MARK tells the copies apart, PLUGIN_CLAIMS_ALL
// makes a copy that claims every file and then fails to decode it.

#include <windows.h>

#include <cstring>

#include "tests/image/plugins/scripted_picture.h"

namespace {

HLOCAL lastInfo = nullptr;
HLOCAL lastPixels = nullptr;

[[maybe_unused]] bool IsScripted(const char* data) { return std::memcmp(data, scripted::kMagic, 4) == 0; }

// Wide arithmetic: the lying headers describe sizes beyond 32 bits.
long long RowBytes(int bitCount, long long width) { return (bitCount * width + 31) / 32 * 4; }

// A header block of blockBytes with the header filled in as far as it fits.
HLOCAL MakeHeader(SIZE_T blockBytes, int width, int height, int bitCount, DWORD compression,
                  DWORD clrUsed, BYTE** block) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitCount);
  header.biCompression = compression;
  header.biSizeImage =
      static_cast<DWORD>(RowBytes(bitCount, width) * (height < 0 ? -height : height));  // may wrap
  header.biClrUsed = clrUsed;
  HLOCAL handle = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, blockBytes);
  *block = static_cast<BYTE*>(::LocalLock(handle));
  std::memcpy(*block, &header, blockBytes < sizeof header ? blockBytes : sizeof header);
  return handle;
}

HLOCAL MakePixels(SIZE_T bytes, BYTE** rows) {
  HLOCAL handle = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, bytes);
  *rows = static_cast<BYTE*>(::LocalLock(handle));
  return handle;
}

// The pattern at 24 bits; rows bottom-up unless topDown.
void FillPattern24(BYTE* rows, bool topDown) {
  const int rowBytes = RowBytes(24, scripted::kWidth);
  for (int y = 0; y < scripted::kHeight; ++y) {
    BYTE* row = rows + (topDown ? y : scripted::kHeight - 1 - y) * rowBytes;
    for (int x = 0; x < scripted::kWidth; ++x) {
      const scripted::Bgr p = scripted::PatternPixel(x, y);
      row[x * 3] = p.blue;
      row[x * 3 + 1] = p.green;
      row[x * 3 + 2] = p.red;
    }
  }
}

// The paletted pattern: indices packed at bitCount bits, rows bottom-up.
void FillIndices(BYTE* rows, int bitCount, int entries) {
  const int rowBytes = RowBytes(bitCount, scripted::kWidth);
  for (int y = 0; y < scripted::kHeight; ++y) {
    BYTE* row = rows + (scripted::kHeight - 1 - y) * rowBytes;
    for (int x = 0; x < scripted::kWidth; ++x) {
      const int index = scripted::PaletteIndex(x, y, entries);
      const int bit = x * bitCount;
      row[bit / 8] |= static_cast<BYTE>(index << (8 - bitCount - bit % 8));
    }
  }
}

void FillPalette(BYTE* table, int entries) {
  RGBQUAD* colours = reinterpret_cast<RGBQUAD*>(table);
  for (int k = 0; k < entries; ++k) {
    const scripted::Bgr c = scripted::PaletteColour(k);
    colours[k] = RGBQUAD{c.blue, c.green, c.red, 0};
  }
}

// A paletted picture whose table holds tableEntries entries after a header of
// headerBytes; clrUsed as given.
void MakePaletted(int bitCount, DWORD clrUsed, int tableEntries, SIZE_T headerBytes,
                  DWORD compression, HLOCAL* info, HLOCAL* pixels) {
  BYTE* block;
  *info = MakeHeader(headerBytes + tableEntries * sizeof(RGBQUAD), scripted::kWidth,
                     scripted::kHeight, bitCount, compression, clrUsed, &block);
  reinterpret_cast<BITMAPINFOHEADER*>(block)->biSize = static_cast<DWORD>(headerBytes);
  FillPalette(block + headerBytes, tableEntries);
  const int entries = clrUsed != 0 ? static_cast<int>(clrUsed) : 1 << bitCount;
  BYTE* rows;
  *pixels = MakePixels(RowBytes(bitCount, scripted::kWidth) * scripted::kHeight, &rows);
  FillIndices(rows, bitCount, entries);
}

void Make24(int height, SIZE_T pixelBlockBytes, DWORD sizeImage, bool keepSizeImage,
            HLOCAL* info, HLOCAL* pixels) {
  BYTE* block;
  *info = MakeHeader(sizeof(BITMAPINFOHEADER), scripted::kWidth, height, 24, BI_RGB, 0, &block);
  if (!keepSizeImage) reinterpret_cast<BITMAPINFOHEADER*>(block)->biSizeImage = sizeImage;
  BYTE* rows;
  *pixels = MakePixels(pixelBlockBytes, &rows);
  if (pixelBlockBytes >= static_cast<SIZE_T>(RowBytes(24, scripted::kWidth) * scripted::kHeight)) {
    FillPattern24(rows, height < 0);
  }
}

void MakeBitFields16(HLOCAL* info, HLOCAL* pixels) {
  BYTE* block;
  *info = MakeHeader(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD), scripted::kWidth,
                     scripted::kHeight, 16, BI_BITFIELDS, 0, &block);
  const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
  std::memcpy(block + sizeof(BITMAPINFOHEADER), masks, sizeof masks);
  BYTE* rows;
  const int rowBytes = RowBytes(16, scripted::kWidth);
  *pixels = MakePixels(rowBytes * scripted::kHeight, &rows);
  for (int y = 0; y < scripted::kHeight; ++y) {
    WORD* row = reinterpret_cast<WORD*>(rows + (scripted::kHeight - 1 - y) * rowBytes);
    for (int x = 0; x < scripted::kWidth; ++x) {
      const scripted::Bgr p = scripted::PatternPixel(x, y);
      row[x] = static_cast<WORD>(((p.red >> 3) << 11) | ((p.green >> 2) << 5) | (p.blue >> 3));
    }
  }
}

void MakeMark(HLOCAL* info, HLOCAL* pixels) {
  BYTE* block;
  *info = MakeHeader(sizeof(BITMAPINFOHEADER), 1, 1, 32, BI_RGB, 0, &block);
  BYTE* rows;
  *pixels = MakePixels(4, &rows);
  rows[0] = PLUGIN_MARK;
}

// A header that lies about the picture's size, with a small honest pixel block.
void MakeLyingSize(int width, int height, int bitCount, DWORD compression, HLOCAL* info,
                   HLOCAL* pixels) {
  BYTE* block;
  *info = MakeHeader(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), width, height, bitCount,
                     compression, 0, &block);
  BYTE* rows;
  *pixels = MakePixels(64, &rows);
}

[[maybe_unused]] int Decode(char command, HLOCAL* info, HLOCAL* pixels) {
  const int rowBytes24 = RowBytes(24, scripted::kWidth);
  const SIZE_T pixels24 = rowBytes24 * scripted::kHeight;
  switch (command) {
    case scripted::kMark:
    case scripted::kPaddedProbe:
      MakeMark(info, pixels);
      break;
    case scripted::kFail: return scripted::kFailure;
    case scripted::kTopDown: Make24(-scripted::kHeight, pixels24, 0, true, info, pixels); break;
    case scripted::kNoImageSize: Make24(scripted::kHeight, pixels24, 0, false, info, pixels); break;
    case scripted::kHugeImageSize:
      Make24(scripted::kHeight, pixels24, 0x10000000, false, info, pixels);
      break;
    case scripted::kSmallerImageSize:
      Make24(scripted::kHeight, pixels24, rowBytes24, false, info, pixels);
      break;
    case scripted::kShortPixelBlock:
      Make24(scripted::kHeight, pixels24 - 1, 0, true, info, pixels);
      break;
    case scripted::kPalette8: MakePaletted(8, 3, 3, 40, BI_RGB, info, pixels); break;
    case scripted::kPalette4: MakePaletted(4, 0, 16, 40, BI_RGB, info, pixels); break;
    case scripted::kPalette1: MakePaletted(1, 0, 2, 40, BI_RGB, info, pixels); break;
    case scripted::kV4Header8: MakePaletted(8, 5, 5, 108, BI_RGB, info, pixels); break;
    case scripted::kShortColourTable: MakePaletted(8, 0, 16, 40, BI_RGB, info, pixels); break;
    case scripted::kRleCompression: MakePaletted(8, 3, 3, 40, BI_RLE8, info, pixels); break;
    case scripted::kBitFields16: MakeBitFields16(info, pixels); break;
    case scripted::kShortHeaderBlock: {
      BYTE* block;
      *info = MakeHeader(20, 1, 1, 32, BI_RGB, 0, &block);  // the header's tail is cut off
      BYTE* rows;
      *pixels = MakePixels(4, &rows);
      break;
    }
    case scripted::kZeroWidth: MakeLyingSize(0, 2, 24, BI_RGB, info, pixels); break;
    case scripted::kNegativeWidth: MakeLyingSize(-3, 2, 24, BI_RGB, info, pixels); break;
    case scripted::kOverflowingSize: MakeLyingSize(0x4000000, 0x100, 32, BI_RGB, info, pixels); break;
    case scripted::kAbsurdWidth: MakeLyingSize(0x7FFFFFFF, 1, 32, BI_RGB, info, pixels); break;
    case scripted::kNoHandles: return 0;
    default: return 2;
  }
  ::LocalUnlock(*info);
  ::LocalUnlock(*pixels);
  lastInfo = *info;
  lastPixels = *pixels;
  return 0;
}

}  // namespace

extern "C" {

int WINAPI IsSupported(LPCSTR fileName, DWORD_PTR source) {
  (void)fileName;
#ifdef PLUGIN_CLAIMS_ALL
  (void)source;
  return 1;
#else
  const char* start = reinterpret_cast<const char*>(source);
  if (!IsScripted(start)) return 0;
  if (start[4] != scripted::kPaddedProbe) return 1;
  // The interface promises 2 KB; a host that offers only a short file's own
  // bytes lets this read run into whatever follows them.
  for (int i = 5; i < 2048; ++i) {
    if (start[i] != 0) return 0;
  }
  return 1;
#endif
}

int WINAPI GetPicture(LPCSTR input, LONG length, UINT flags, HLOCAL* info, HLOCAL* pixels,
                      FARPROC progress, LONG userValue) {
  (void)progress;
  (void)userValue;
#ifdef PLUGIN_CLAIMS_ALL
  (void)input, (void)length, (void)flags, (void)info, (void)pixels;
  return scripted::kFailure;
#else
  if ((flags & 7) != 1 || length < 5 || !IsScripted(input)) return 2;
  return Decode(input[4], info, pixels);
#endif
}

// For the tests: the two handles of the last successful decode.
void WINAPI LastHandles(HLOCAL* info, HLOCAL* pixels) {
  *info = lastInfo;
  *pixels = lastPixels;
}

}  // extern "C"
