// Random well-formed Netpbm pictures written out and read back: the bitmap must
// hold every sample, scaled to 0..255, at its place in the bottom-up rows.

#include <cstdint>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "image/plugins/netpbm/netpbm_parser.h"
#include "tests/parsers/guarded_bytes.h"
#include "tests/support/netpbm_writer.h"

namespace {

// Rounded to nearest, halves up.
uint8_t Scaled(int sample, int maxval) {
  return static_cast<uint8_t>((2 * sample * 255 + maxval) / (2 * maxval));
}

// The rows a picture must become, written out from the bitmap's layout: rows
// padded to 4 bytes, the last row of the picture first, pixels blue-green-red,
// PBM bits packed from the high bit.
std::vector<uint8_t> ExpectedBitmap(const SamplePicture& picture) {
  const int bits = picture.format == 1 || picture.format == 4 ? 1
                   : picture.Channels() == 3                   ? 24
                                                               : 8;
  const size_t rowBytes = (static_cast<size_t>(picture.width) * bits + 31) / 32 * 4;
  std::vector<uint8_t> bitmap(rowBytes * picture.height, 0);
  for (int y = 0; y < picture.height; ++y) {
    uint8_t* row = bitmap.data() + (picture.height - 1 - y) * rowBytes;
    for (int x = 0; x < picture.width; ++x) {
      const int* pixel =
          &picture.samples[(static_cast<size_t>(y) * picture.width + x) * picture.Channels()];
      if (bits == 1) {
        row[x / 8] |= static_cast<uint8_t>(pixel[0] << (7 - x % 8));
      } else if (bits == 8) {
        row[x] = Scaled(pixel[0], picture.maxval);
      } else {
        row[x * 3 + 0] = Scaled(pixel[2], picture.maxval);
        row[x * 3 + 1] = Scaled(pixel[1], picture.maxval);
        row[x * 3 + 2] = Scaled(pixel[0], picture.maxval);
      }
    }
  }
  return bitmap;
}

// The decoded bitmap, empty when any step refuses the file.
std::vector<uint8_t> Decode(const std::string& file) {
  GuardedBytes input(file);
  NetpbmHeader header;
  if (!ParseNetpbmHeader(input.data(), input.size(), &header) ||
      !NetpbmRasterMayFit(input.size(), header)) {
    return {};
  }
  GuardedBytes pixels(static_cast<size_t>(NetpbmPixelBytes(header)));
  if (!DecodeNetpbmRaster(input.data(), input.size(), header, pixels.data())) return {};
  return std::vector<uint8_t>(pixels.data(), pixels.data() + pixels.size());
}

int RandomMaxval(Random* random) {
  static const int kMaxvals[] = {1, 2, 3, 15, 100, 254, 255, 256, 1000, 65534, 65535};
  return random->OneIn(4) ? 1 + static_cast<int>(random->Next(65535))
                          : kMaxvals[random->Next(sizeof kMaxvals / sizeof kMaxvals[0])];
}

TEST(NetpbmRoundTripTest, EveryFormatKeepsEverySample) {
  Random random(31);
  for (int round = 0; round < 600; ++round) {
    const int format = 1 + round % 6;
    const SamplePicture picture = RandomPicture(format, RandomMaxval(&random), 19, &random);
    const std::string file = WriteNetpbm(picture);
    ASSERT_EQ(Decode(file), ExpectedBitmap(picture))
        << "round " << round << ", P" << format << " " << picture.width << "x"
        << picture.height << " maxval " << picture.maxval;
  }
}

// Comments, runs of white space, bits without separators and junk in a P4 row's
// padding must not change a single pixel.
TEST(NetpbmRoundTripTest, SeparatorsCommentsAndPaddingChangeNothing) {
  Random random(32);
  for (int round = 0; round < 600; ++round) {
    const int format = 1 + round % 6;
    const SamplePicture picture = RandomPicture(format, RandomMaxval(&random), 19, &random);
    const std::string file = WriteNetpbm(picture, &random);
    ASSERT_EQ(Decode(file), ExpectedBitmap(picture)) << "round " << round << ": " << file;
  }
}

TEST(NetpbmRoundTripTest, RowWidthsAroundEveryPaddingBoundary) {
  Random random(33);
  for (int format = 1; format <= 6; ++format) {
    for (int width = 1; width <= 40; ++width) {
      SamplePicture picture = RandomPicture(format, 255, 1, &random);
      picture.width = width;
      picture.height = 3;
      picture.samples.assign(static_cast<size_t>(width) * 3 * picture.Channels(), 0);
      for (int& sample : picture.samples) sample = static_cast<int>(random.Next(picture.maxval + 1));
      ASSERT_EQ(Decode(WriteNetpbm(picture, &random)), ExpectedBitmap(picture))
          << "P" << format << " width " << width;
    }
  }
}

}  // namespace
