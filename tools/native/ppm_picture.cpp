#include "tools/native/ppm_picture.h"

#include <fstream>
#include <iterator>

namespace {

constexpr int32_t kLargestSide = 65535;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads one header number, passing white space and '#' comments before it.
bool ReadHeaderNumber(const std::string& bytes, size_t* at, int32_t* value) {
  for (;;) {
    while (*at < bytes.size() && IsSpace(bytes[*at])) ++*at;
    if (*at < bytes.size() && bytes[*at] == '#') {
      while (*at < bytes.size() && bytes[*at] != '\n') ++*at;
      continue;
    }
    break;
  }
  int64_t number = 0;
  size_t start = *at;
  while (*at < bytes.size() && bytes[*at] >= '0' && bytes[*at] <= '9' && number <= kLargestSide) {
    number = number * 10 + (bytes[(*at)++] - '0');
  }
  if (*at == start || number > kLargestSide) return false;
  *value = static_cast<int32_t>(number);
  return true;
}

}  // namespace

bool ParsePpmPicture(const std::string& bytes, BottomUpPicture* picture) {
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '6' && bytes[1] != '5')) return false;
  const int channels = bytes[1] == '6' ? 3 : 1;
  size_t at = 2;
  int32_t width = 0, height = 0, maximum = 0;
  if (!ReadHeaderNumber(bytes, &at, &width) || !ReadHeaderNumber(bytes, &at, &height) ||
      !ReadHeaderNumber(bytes, &at, &maximum) || width < 1 || height < 1 || maximum != 255) {
    return false;
  }
  // Exactly one white space byte separates the header from the samples.
  if (at >= bytes.size() || !IsSpace(bytes[at])) return false;
  ++at;
  const size_t samples = static_cast<size_t>(width) * height * channels;
  if (bytes.size() - at < samples) return false;

  picture->width = width;
  picture->height = height;
  picture->rows.assign(static_cast<size_t>(width) * height * 4, 0);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* source =
        reinterpret_cast<const uint8_t*>(bytes.data()) + at + static_cast<size_t>(y) * width * channels;
    uint8_t* target = picture->rows.data() + static_cast<size_t>(height - 1 - y) * width * 4;
    for (int32_t x = 0; x < width; ++x, source += channels, target += 4) {
      target[2] = source[0];
      target[1] = source[channels == 3 ? 1 : 0];
      target[0] = source[channels == 3 ? 2 : 0];
    }
  }
  return true;
}

bool ReadPpmPicture(const std::string& path, BottomUpPicture* picture) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ParsePpmPicture(bytes, picture);
}
