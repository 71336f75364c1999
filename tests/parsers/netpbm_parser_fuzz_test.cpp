// Damaged Netpbm files through the parser. Input and bitmap both end right
// before a page that cannot be touched, so a read or write past either faults;
// natively AddressSanitizer watches everything else.

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "image/plugins/netpbm/netpbm_parser.h"
#include "tests/parsers/guarded_bytes.h"
#include "tests/parsers/random_damage.h"
#include "tests/support/netpbm_writer.h"

namespace {

// Bitmaps allocated even though NetpbmRasterMayFit refuses them stay this small.
constexpr int kLargestUncheckedBitmap = 1 << 20;

std::vector<std::string> ValidFiles(Random* random) {
  static const int kMaxvals[] = {1, 7, 255, 256, 65535};
  std::vector<std::string> files;
  for (int format = 1; format <= 6; ++format) {
    for (int maxval : kMaxvals) {
      const SamplePicture picture = RandomPicture(format, maxval, 9, random);
      files.push_back(WriteNetpbm(picture, random->OneIn(2) ? random : nullptr));
    }
  }
  return files;
}

// What an accepted header must promise, whatever the file held.
void ExpectSaneHeader(const std::string& file, const NetpbmHeader& header) {
  ASSERT_EQ(header.format, file[1] - '0');
  ASSERT_GE(header.width, 1);
  ASSERT_GE(header.height, 1);
  if (header.format == 1 || header.format == 4) {
    ASSERT_EQ(header.maxval, 1);
  } else {
    ASSERT_GE(header.maxval, 1);
    ASSERT_LE(header.maxval, 65535);
  }
  ASSERT_LE(header.rasterOffset, file.size());
  ASSERT_EQ(NetpbmBitCount(header.format),
            header.format == 1 || header.format == 4 ? 1
            : header.format == 3 || header.format == 6 ? 24 : 8);
  const long long rowBytes =
      (static_cast<long long>(NetpbmBitCount(header.format)) * header.width + 31) / 32 * 4;
  ASSERT_EQ(NetpbmRowBytes(header), rowBytes);
  ASSERT_LE(rowBytes * header.height, INT_MAX);
  ASSERT_EQ(NetpbmPixelBytes(header), rowBytes * header.height);
}

// Returns whether the file decoded; fails the test on any broken promise.
bool CheckOne(const std::string& file) {
  GuardedBytes input(file);
  NetpbmHeader header;
  if (!ParseNetpbmHeader(input.data(), input.size(), &header)) return false;
  ExpectSaneHeader(file, header);
  if (testing::Test::HasFailure()) return false;
  const bool mayFit = NetpbmRasterMayFit(input.size(), header);
  // The early check may only refuse what decoding would refuse too.
  if (!mayFit && NetpbmPixelBytes(header) > kLargestUncheckedBitmap) return false;
  GuardedBytes pixels(static_cast<size_t>(NetpbmPixelBytes(header)));
  const bool decoded = DecodeNetpbmRaster(input.data(), input.size(), header, pixels.data());
  EXPECT_FALSE(decoded && !mayFit) << "decoded although the raster cannot fit";
  return decoded && mayFit;
}

TEST(NetpbmParserFuzzTest, DamagedFilesFailCleanlyOrDecodeToTheirHeadersSize) {
  Random random(20261208);
  const std::vector<std::string> files = ValidFiles(&random);
  for (const std::string& file : files) ASSERT_TRUE(CheckOne(file)) << file;
  int decoded = 0, refused = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string& original = files[random.Next(static_cast<uint32_t>(files.size()))];
    const std::string damaged = Damage(original, &random);
    const bool ok = CheckOne(damaged);
    ASSERT_FALSE(HasFailure()) << "round " << round << ": " << testing::PrintToString(damaged);
    (ok ? decoded : refused)++;
  }
  // A damage mix that always, or never, breaks the file would test little.
  EXPECT_GT(decoded, 1000);
  EXPECT_GT(refused, 1000);
}

// Every prefix of every valid file, the cuts a short download makes.
TEST(NetpbmParserFuzzTest, EveryTruncationFailsCleanly) {
  Random random(5);
  for (const std::string& file : ValidFiles(&random)) {
    for (size_t size = 0; size < file.size(); ++size) {
      const std::string cut = file.substr(0, size);
      const bool decoded = CheckOne(cut);
      ASSERT_FALSE(HasFailure()) << testing::PrintToString(cut);
      // An ASCII raster cut inside its last number still reads; a binary one
      // has an exact size.
      if (file[1] >= '4') {
        ASSERT_FALSE(decoded) << testing::PrintToString(cut);
      }
    }
  }
}

// Files of random bytes behind a valid magic number.
TEST(NetpbmParserFuzzTest, RandomBytesAfterTheMagic) {
  Random random(77);
  for (int round = 0; round < 3000; ++round) {
    std::string file = "P" + std::to_string(1 + random.Next(6)) + " ";
    for (uint32_t n = random.Next(64); n > 0; --n) {
      static const char kBytes[] = "0123456789 \n#\r\t9";
      file.push_back(random.OneIn(8) ? static_cast<char>(random.Next(256))
                                     : kBytes[random.Next(sizeof kBytes - 1)]);
    }
    CheckOne(file);
    ASSERT_FALSE(HasFailure()) << testing::PrintToString(file);
  }
}

}  // namespace
