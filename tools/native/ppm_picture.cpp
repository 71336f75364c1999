#include "tools/native/ppm_picture.h"

#include <fstream>
#include <iterator>

namespace {

constexpr int32_t kLargestSide = 65535;

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads one header number, passing white space and comments before it; a comment
// runs from '#' to a carriage return or a line feed.
bool ReadHeaderNumber(const uint8_t* data, size_t size, size_t* at, int32_t* value) {
  for (;;) {
    while (*at < size && IsSpace(data[*at])) ++*at;
    if (*at < size && data[*at] == '#') {
      while (*at < size && data[*at] != '\n' && data[*at] != '\r') ++*at;
      continue;
    }
    break;
  }
  int64_t number = 0;
  size_t start = *at;
  while (*at < size && data[*at] >= '0' && data[*at] <= '9' && number <= kLargestSide) {
    number = number * 10 + (data[(*at)++] - '0');
  }
  if (*at == start || number > kLargestSide) return false;
  *value = static_cast<int32_t>(number);
  return true;
}

}  // namespace

bool ParsePpmPicture(const uint8_t* data, size_t size, BottomUpPicture* picture) {
  // The format digit must stand alone: "P61" is no magic number followed by 1.
  if (size < 3 || data[0] != 'P' || (data[1] != '6' && data[1] != '5') ||
      !(IsSpace(data[2]) || data[2] == '#')) {
    return false;
  }
  const int channels = data[1] == '6' ? 3 : 1;
  size_t at = 2;
  int32_t width = 0, height = 0, maximum = 0;
  if (!ReadHeaderNumber(data, size, &at, &width) || !ReadHeaderNumber(data, size, &at, &height) ||
      !ReadHeaderNumber(data, size, &at, &maximum) || width < 1 || height < 1 || maximum != 255) {
    return false;
  }
  // Exactly one white space byte separates the header from the samples.
  if (at >= size || !IsSpace(data[at])) return false;
  ++at;
  const size_t samples = static_cast<size_t>(width) * height * channels;
  if (size - at < samples) return false;

  picture->width = width;
  picture->height = height;
  picture->rows.assign(static_cast<size_t>(width) * height * 4, 0);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* source = data + at + static_cast<size_t>(y) * width * channels;
    uint8_t* target = picture->rows.data() + static_cast<size_t>(height - 1 - y) * width * 4;
    for (int32_t x = 0; x < width; ++x, source += channels, target += 4) {
      target[2] = source[0];
      target[1] = source[channels == 3 ? 1 : 0];
      target[0] = source[channels == 3 ? 2 : 0];
    }
  }
  return true;
}

bool ParsePpmPicture(const std::string& bytes, BottomUpPicture* picture) {
  return ParsePpmPicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
}

bool ReadPpmPicture(const std::string& path, BottomUpPicture* picture) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ParsePpmPicture(bytes, picture);
}
