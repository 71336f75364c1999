#include "convert/option_text.h"

#include <string>

#include "gtest/gtest.h"

namespace {

TEST(OptionTextTest, SplitsABlockSizeAtItsFirstCross) {
  struct Case {
    const char* text;
    const char* width;
    const char* height;
  };
  const Case cases[] = {
      {"3x6", "3", "6"}, {"x6", "", "6"}, {"3x", "3", ""}, {"3x6x9", "3", "6x9"},
      {"abcx 6", "abc", " 6"}, {"x", "", ""},
  };
  for (const Case& c : cases) {
    std::string width = "unset", height = "unset";
    ASSERT_TRUE(SplitBlockSize(c.text, &width, &height)) << c.text;
    EXPECT_EQ(width, c.width) << c.text;
    EXPECT_EQ(height, c.height) << c.text;
  }
  std::string width = "unset", height = "unset";
  for (const char* text : {"36", "", "3X6"}) {
    EXPECT_FALSE(SplitBlockSize(text, &width, &height)) << text;
    EXPECT_EQ(width + height, "unsetunset") << text;
  }
}

TEST(OptionTextTest, ReadsOnlyWholeNumbersInRange) {
  struct Case {
    const char* text;
    bool accepted;
    int32_t value;
  };
  const Case cases[] = {
      {"1", true, 1},       {"64", true, 64},    {"007", true, 7},   {"0", false, 0},
      {"65", false, 0},     {"", false, 0},      {"+3", false, 0},   {" 3", false, 0},
      {"3 ", false, 0},     {"-1", false, 0},    {"3x", false, 0},   {"0x10", false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = -7;
    EXPECT_EQ(ReadWholeNumber(c.text, 1, 64, &value), c.accepted) << c.text;
    EXPECT_EQ(value, c.accepted ? c.value : -7) << c.text;
  }
}

}  // namespace
