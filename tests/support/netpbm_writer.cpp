#include "tests/support/netpbm_writer.h"

SamplePicture RandomPicture(int format, int maxval, int largestSide, Random* random) {
  SamplePicture picture;
  picture.format = format;
  picture.width = 1 + static_cast<int>(random->Next(largestSide));
  picture.height = 1 + static_cast<int>(random->Next(largestSide));
  picture.maxval = format == 1 || format == 4 ? 1 : maxval;
  picture.samples.resize(static_cast<size_t>(picture.width) * picture.height *
                         picture.Channels());
  for (int& sample : picture.samples) {
    // The ends of the range are where scaling goes wrong first.
    const uint32_t pick = random->Next(8);
    sample = pick == 0 ? 0 : pick == 1 ? picture.maxval
                                       : static_cast<int>(random->Next(picture.maxval + 1));
  }
  return picture;
}

namespace {

std::string HeaderSeparator(Random* random) {
  if (random == nullptr) return " ";
  // A comment ends at a carriage return as well as at a line feed.
  static const char* const kPieces[] = {" ", "\t", "\n", "\r\n", "# a comment\n", "#\r",
                                        "#P6 1 1 255\n"};
  std::string separator;
  for (uint32_t n = 1 + random->Next(3); n > 0; --n) {
    separator += kPieces[random->Next(sizeof kPieces / sizeof kPieces[0])];
  }
  return separator;
}

std::string RasterSeparator(Random* random) {
  if (random == nullptr) return " ";
  static const char* const kPieces[] = {" ", "  ", "\n", "\r\n", "\t"};
  return kPieces[random->Next(sizeof kPieces / sizeof kPieces[0])];
}

void WriteBinaryRaster(const SamplePicture& picture, Random* random, std::string* file) {
  if (picture.format == 4) {
    for (int y = 0; y < picture.height; ++y) {
      const int bytes = (picture.width + 7) / 8;
      for (int i = 0; i < bytes; ++i) {
        int byte = 0;
        for (int bit = 0; bit < 8; ++bit) {
          const int x = i * 8 + bit;
          const int value = x < picture.width
                                ? picture.samples[static_cast<size_t>(y) * picture.width + x]
                                : (random != nullptr && random->OneIn(2));
          byte |= value << (7 - bit);
        }
        file->push_back(static_cast<char>(byte));
      }
    }
    return;
  }
  for (int sample : picture.samples) {
    if (picture.maxval > 255) file->push_back(static_cast<char>(sample >> 8));
    file->push_back(static_cast<char>(sample & 0xFF));
  }
}

void WriteAsciiRaster(const SamplePicture& picture, Random* random, std::string* file) {
  const bool bits = picture.format == 1;
  for (size_t i = 0; i < picture.samples.size(); ++i) {
    if (i > 0 && !(bits && random != nullptr && random->OneIn(2))) {
      *file += RasterSeparator(random);
    }
    *file += std::to_string(picture.samples[i]);
  }
}

}  // namespace

std::string WriteNetpbm(const SamplePicture& picture, Random* random) {
  std::string file = "P" + std::to_string(picture.format);
  file += HeaderSeparator(random) + std::to_string(picture.width);
  file += HeaderSeparator(random) + std::to_string(picture.height);
  if (picture.format != 1 && picture.format != 4) {
    file += HeaderSeparator(random) + std::to_string(picture.maxval);
  }
  // Exactly one white space character ends the header.
  static const char kEnds[] = " \t\n\r";
  file.push_back(random != nullptr ? kEnds[random->Next(4)] : '\n');
  if (picture.format >= 4) {
    WriteBinaryRaster(picture, random, &file);
  } else {
    WriteAsciiRaster(picture, random, &file);
  }
  return file;
}
