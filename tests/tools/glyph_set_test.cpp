#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tools/glyphgen/glyph_set.h"

namespace {

std::vector<unsigned char> Range(unsigned first, unsigned last) {
  std::vector<unsigned char> bytes;
  for (unsigned b = first; b <= last; ++b) bytes.push_back(static_cast<unsigned char>(b));
  return bytes;
}

TEST(GlyphSetTest, NamedSetsAndTheirUnionInAscendingOrder) {
  std::vector<unsigned char> set;
  std::string error;
  ASSERT_TRUE(ParseGlyphSet("ascii", &set, &error)) << error;
  EXPECT_EQ(set, Range(0x20, 0x7E));
  ASSERT_TRUE(ParseGlyphSet("kana", &set, &error)) << error;
  EXPECT_EQ(set, Range(0xA1, 0xDF));

  std::vector<unsigned char> both = Range(0x20, 0x7E);
  for (unsigned char b : Range(0xA1, 0xDF)) both.push_back(b);
  ASSERT_TRUE(ParseGlyphSet("kana,ascii", &set, &error)) << error;
  EXPECT_EQ(set, both) << "the order of the parts does not change the set";
  EXPECT_EQ(set.size(), 158u);
}

TEST(GlyphSetTest, BytesAndRangesAreTakenOnceEach) {
  std::vector<unsigned char> set;
  std::string error;
  ASSERT_TRUE(ParseGlyphSet("0x42,0x41-0x43,65,0x41", &set, &error)) << error;
  EXPECT_EQ(set, Range(0x41, 0x43));
  ASSERT_TRUE(ParseGlyphSet("0x7E-0xA1", &set, &error)) << error;
  EXPECT_EQ(set, (std::vector<unsigned char>{0x7E, 0xA1}))
      << "0x7F, the unassigned 0x80 and 0xA0 and the lead bytes 0x81-0x9F are dropped";
}

TEST(GlyphSetTest, SetsWithoutADefinableCharacterAreEmptyErrors) {
  for (const char* parts : {"0x00-0x1F", "0x7F", "0x81", "0x80-0xA0", "0xE0-0xFF", "0x0A"}) {
    std::vector<unsigned char> set;
    std::string error;
    EXPECT_FALSE(ParseGlyphSet(parts, &set, &error)) << parts;
    EXPECT_NE(error.find("holds no character"), std::string::npos) << parts << ": " << error;
  }
}

TEST(GlyphSetTest, UnreadablePartsAreErrors) {
  for (const char* parts : {"", "asci", "ASCII", "0x100", "256", "0x42-0x41", "-5", "0x30-",
                           "ascii,,kana", "ascii,", "0x41 ", "0x41-0x42-0x43"}) {
    std::vector<unsigned char> set;
    std::string error;
    EXPECT_FALSE(ParseGlyphSet(parts, &set, &error)) << "\"" << parts << "\"";
    EXPECT_NE(error.find("cannot read"), std::string::npos) << parts << ": " << error;
  }
}

}  // namespace
