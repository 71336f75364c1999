// Damaged PPM and PGM files through the artdump tool's reader: it must refuse
// them or return rows of exactly the size it reports, never reading past the
// input (which ends right before a page that cannot be read).

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/parsers/guarded_bytes.h"
#include "tests/parsers/random_damage.h"
#include "tests/support/netpbm_writer.h"
#include "image/ppm_picture.h"

namespace {

// Returns whether the reader accepted the bytes.
bool CheckOne(const std::string& bytes) {
  GuardedBytes input(bytes);
  BottomUpPicture picture;
  if (!ParsePpmPicture(input.data(), input.size(), &picture)) return false;
  EXPECT_TRUE(bytes[1] == '5' || bytes[1] == '6');
  EXPECT_GE(picture.width, 1);
  EXPECT_GE(picture.height, 1);
  EXPECT_LE(picture.width, 65535);
  EXPECT_LE(picture.height, 65535);
  const size_t channels = bytes[1] == '6' ? 3 : 1;
  const size_t pixels = static_cast<size_t>(picture.width) * picture.height;
  EXPECT_EQ(picture.rows.size(), pixels * 4);
  EXPECT_LE(pixels * channels, bytes.size()) << "more samples than the file holds";
  return true;
}

TEST(PpmPictureFuzzTest, DamagedFilesFailCleanlyOrMatchTheirSize) {
  Random random(424242);
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) {
    files.push_back(WriteNetpbm(RandomPicture(5 + i % 2, 255, 9, &random),
                                i % 3 == 0 ? nullptr : &random));
  }
  int accepted = 0, refused = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string damaged =
        Damage(files[random.Next(static_cast<uint32_t>(files.size()))], &random);
    const bool ok = CheckOne(damaged);
    ASSERT_FALSE(HasFailure()) << "round " << round << ": " << testing::PrintToString(damaged);
    (ok ? accepted : refused)++;
  }
  // A damage mix that always, or never, breaks the file would test little.
  EXPECT_GT(accepted, 1000);
  EXPECT_GT(refused, 1000);
}

TEST(PpmPictureFuzzTest, RandomBytesAfterTheMagic) {
  Random random(9);
  for (int round = 0; round < 3000; ++round) {
    std::string file = random.OneIn(2) ? "P6" : "P5";
    for (uint32_t n = random.Next(48); n > 0; --n) {
      static const char kBytes[] = "0123456789 \n#\r\t5";
      file.push_back(random.OneIn(8) ? static_cast<char>(random.Next(256))
                                     : kBytes[random.Next(sizeof kBytes - 1)]);
    }
    CheckOne(file);
    ASSERT_FALSE(HasFailure()) << testing::PrintToString(file);
  }
}

}  // namespace
