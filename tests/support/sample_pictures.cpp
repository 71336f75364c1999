#include "tests/support/sample_pictures.h"

#include "tests/support/bmp_file.h"
#include "tests/support/netpbm_writer.h"

Picture PatternPicture(int32_t width, int32_t height) {
  Picture picture{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* pixel = &picture.bgr[(static_cast<size_t>(y) * width + x) * 3];
      const bool stripe = ((x / 5) + (y / 7)) % 3 == 0;
      pixel[0] = static_cast<uint8_t>(stripe ? 250 : (x * 255) / (width > 1 ? width - 1 : 1));
      pixel[1] = static_cast<uint8_t>((y * 255) / (height > 1 ? height - 1 : 1));
      pixel[2] = static_cast<uint8_t>(stripe ? 10 : ((x + y) * 37) & 0xFF);
    }
  }
  return picture;
}

Picture DiscPicture(int32_t width, int32_t height) {
  Picture picture{width, height, {}};
  picture.bgr.reserve(static_cast<size_t>(width) * height * 3);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const int32_t dx = x - width / 3, dy = y - height / 2;
      uint8_t grey = 235;
      if (dx * dx + dy * dy < (height / 3) * (height / 3)) grey = 30;
      else if (x > width * 2 / 3 && x < width * 2 / 3 + width / 8) grey = 128;
      picture.bgr.insert(picture.bgr.end(), 3, grey);
    }
  }
  return picture;
}

std::string BmpFile(const Picture& picture) {
  return Bmp24File(picture.width, picture.height, picture.bgr);
}

std::string PpmFile(const Picture& picture) {
  SamplePicture ppm;
  ppm.width = picture.width;
  ppm.height = picture.height;
  for (size_t i = 0; i < picture.bgr.size(); i += 3) {
    ppm.samples.insert(ppm.samples.end(), {picture.bgr[i + 2], picture.bgr[i + 1], picture.bgr[i]});
  }
  return WriteNetpbm(ppm);
}
