#include "tests/support/bmp_file.h"

namespace {

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string BmpHeaders(int width, int height, int bitCount, int colours, int pixelBytes) {
  const uint32_t offset = 14 + 40 + colours * 4;
  std::string out = "BM";
  PutLittleEndian(out, offset + pixelBytes, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, offset, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<uint32_t>(width), 4);
  PutLittleEndian(out, static_cast<uint32_t>(height), 4);
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, bitCount, 2);
  PutLittleEndian(out, 0, 4);  // BI_RGB
  PutLittleEndian(out, pixelBytes, 4);
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, colours, 4);
  PutLittleEndian(out, 0, 4);
  return out;
}

}  // namespace

std::string Bmp24File(int width, int height, const std::vector<uint8_t>& bgr, bool topDown) {
  const size_t pixelRow = static_cast<size_t>(width) * 3;
  const size_t rowBytes = (pixelRow + 3) / 4 * 4;
  std::string out = BmpHeaders(width, topDown ? -height : height, 24, 0,
                               static_cast<int>(rowBytes * height));
  for (int i = 0; i < height; ++i) {
    const int y = topDown ? i : height - 1 - i;
    out.append(reinterpret_cast<const char*>(&bgr[y * pixelRow]), pixelRow);
    out.append(rowBytes - pixelRow, '\0');
  }
  return out;
}

std::string Bmp8File(int width, int height, const std::vector<uint8_t>& paletteBgr,
                     const std::vector<uint8_t>& indices) {
  const size_t rowBytes = (static_cast<size_t>(width) + 3) / 4 * 4;
  const int colours = static_cast<int>(paletteBgr.size() / 3);
  std::string out = BmpHeaders(width, height, 8, colours, static_cast<int>(rowBytes * height));
  for (size_t i = 0; i < paletteBgr.size(); i += 3) {
    out.append(reinterpret_cast<const char*>(&paletteBgr[i]), 3);
    out.push_back('\0');
  }
  for (int y = height - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(&indices[static_cast<size_t>(y) * width]), width);
    out.append(rowBytes - width, '\0');
  }
  return out;
}
