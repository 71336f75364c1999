// The artdump tool's picture reader on valid, short, oversized and empty files.
// Inputs end right before a page that cannot be read.

#include "image/ppm_picture.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/parsers/guarded_bytes.h"
#include "tests/support/netpbm_writer.h"

namespace {

bool Parses(const std::string& bytes, BottomUpPicture* picture) {
  GuardedBytes input(bytes);
  return ParsePpmPicture(input.data(), input.size(), picture);
}

bool Parses(const std::string& bytes) {
  BottomUpPicture picture;
  return Parses(bytes, &picture);
}

// Four bytes a pixel, blue, green, red, 0, the picture's last row first.
std::vector<uint8_t> ExpectedRows(const SamplePicture& picture) {
  std::vector<uint8_t> rows(static_cast<size_t>(picture.width) * picture.height * 4, 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int* pixel =
          &picture.samples[(static_cast<size_t>(y) * picture.width + x) * picture.Channels()];
      uint8_t* target = &rows[(static_cast<size_t>(picture.height - 1 - y) * picture.width + x) * 4];
      const bool grey = picture.Channels() == 1;
      target[0] = static_cast<uint8_t>(pixel[grey ? 0 : 2]);
      target[1] = static_cast<uint8_t>(pixel[grey ? 0 : 1]);
      target[2] = static_cast<uint8_t>(pixel[0]);
    }
  }
  return rows;
}

TEST(PpmPictureTest, ReadsColourAndGreyIntoBottomUpRows) {
  BottomUpPicture picture;
  ASSERT_TRUE(Parses(std::string("P6\n2 2\n255\n") +
                         "\x01\x02\x03" "\x04\x05\x06"    // top row
                         "\x07\x08\x09" "\x0A\x0B\xFF",   // bottom row
                     &picture));
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(picture.rows, (std::vector<uint8_t>{9, 8, 7, 0, 0xFF, 0x0B, 0x0A, 0,
                                                3, 2, 1, 0, 6, 5, 4, 0}));

  ASSERT_TRUE(Parses(std::string("P5 3 1 255\n\x00\x80\xFF", 14), &picture));
  EXPECT_EQ(picture.rows, (std::vector<uint8_t>{0, 0, 0, 0, 0x80, 0x80, 0x80, 0,
                                                0xFF, 0xFF, 0xFF, 0}));
}

TEST(PpmPictureTest, RandomPicturesWithCommentsAndWhiteSpaceInTheHeader) {
  Random random(11);
  for (int round = 0; round < 400; ++round) {
    const SamplePicture picture = RandomPicture(5 + round % 2, 255, 17, &random);
    const std::string file = WriteNetpbm(picture, round % 4 == 0 ? nullptr : &random);
    BottomUpPicture read;
    ASSERT_TRUE(Parses(file, &read)) << testing::PrintToString(file);
    EXPECT_EQ(read.width, picture.width);
    EXPECT_EQ(read.height, picture.height);
    ASSERT_EQ(read.rows, ExpectedRows(picture)) << testing::PrintToString(file);
  }
}

TEST(PpmPictureTest, RefusesEveryTruncation) {
  Random random(12);
  for (int format : {5, 6}) {
    const std::string file = WriteNetpbm(RandomPicture(format, 255, 6, &random), &random);
    ASSERT_TRUE(Parses(file));
    for (size_t size = 0; size < file.size(); ++size) {
      EXPECT_FALSE(Parses(file.substr(0, size))) << testing::PrintToString(file.substr(0, size));
    }
  }
}

TEST(PpmPictureTest, RefusesOversizedAndUnsupportedFiles) {
  const char* const refused[] = {
      "P6 65536 1 255\n",               // wider than the reader takes
      "P6 1 65536 255\n",
      "P6 99999999999999999999 1 255\n",
      "P6 65535 65535 255\n\x01\x02",   // huge size, tiny raster: no huge memory
      "P5 65535 65535 255\n\x01",
      "P6 0 1 255\n",
      "P6 1 0 255\n",
      "P6 1 1 65535\n\x01\x02\x03\x04\x05\x06",  // two-byte samples
      "P6 1 1 254\n\x01\x02\x03",
      "P3 1 1 255\n1 2 3",              // ASCII forms
      "P2 1 1 255\n1",
      "P4 8 1\n\xFF",
      "P7 1 1 255\n\x01",
      "P6 1 1 255",                     // no separator before the samples
      "P6 1 1 255\n\x01\x02",           // a sample short
      "P6 -1 1 255\n\x01\x02\x03",
  };
  for (const char* text : refused) EXPECT_FALSE(Parses(text)) << text;
}

TEST(PpmPictureTest, TheMagicNumberStandsAlone) {
  // Digits run on from the format digit are no width.
  EXPECT_FALSE(Parses("P61 1 255\n\x01\x02\x03"));
  EXPECT_FALSE(Parses("P51 1 255\n\x01"));
  EXPECT_TRUE(Parses("P6#c\n1 1 255\n\x01\x02\x03"));
}

TEST(PpmPictureTest, ACommentEndsAtACarriageReturnToo) {
  BottomUpPicture picture;
  ASSERT_TRUE(Parses("P6 1#c\r1\r255\r\x01\x02\x03", &picture));
  EXPECT_EQ(picture.rows, (std::vector<uint8_t>{3, 2, 1, 0}));
}

TEST(PpmPictureTest, EmptyInputAndFiles) {
  EXPECT_FALSE(Parses(""));
  EXPECT_FALSE(Parses("P"));
  EXPECT_FALSE(Parses("P6"));
  EXPECT_FALSE(ParsePpmPicture(nullptr, 0, nullptr));

  const std::string path = testing::TempDir() + "glyphrane_ppm_picture_test.ppm";
  BottomUpPicture picture;
  std::remove(path.c_str());
  EXPECT_FALSE(ReadPpmPicture(path, &picture)) << "a file that is not there";
  { std::ofstream(path, std::ios::binary); }
  EXPECT_FALSE(ReadPpmPicture(path, &picture)) << "an empty file";
  {
    std::ofstream file(path, std::ios::binary);
    file << std::string("P5 2 1 255\n\x00\xFF", 13);
  }
  ASSERT_TRUE(ReadPpmPicture(path, &picture));
  EXPECT_EQ(picture.rows, (std::vector<uint8_t>{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
  std::remove(path.c_str());
}

}  // namespace
