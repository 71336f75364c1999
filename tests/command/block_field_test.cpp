#include <cstdint>

#include "command/block_field.h"
#include "gtest/gtest.h"

namespace {

struct FieldCase {
  const char* text;
  uint32_t value;
};

TEST(BlockFieldTest, ReadsDecimalDigitsAfterLeadingSpaces) {
  const FieldCase cases[] = {
      {"3", 3},           {"   3", 3},       {"6 ", 6},        {"12px", 12},
      {"007", 7},         {"2147483647", 2147483647u},       {"2147483648", 2147483648u},
      {"4294967295", 4294967295u},          {"3x6", 3},       {"1.5", 1},
  };
  for (const FieldCase& c : cases) EXPECT_EQ(ReadBlockField(c.text), c.value) << c.text;
}

TEST(BlockFieldTest, ReadsAsZeroWhatHoldsNoNumberOrTooLargeOne) {
  const char* const cases[] = {
      "", "   ", "abc", "-3", "+3", "\t3", "x6", "4294967296", "99999999999999999999",
      "\x83\x52",  // a double-byte digit is no digit
  };
  for (const char* text : cases) EXPECT_EQ(ReadBlockField(text), 0u) << text;
}

}  // namespace
