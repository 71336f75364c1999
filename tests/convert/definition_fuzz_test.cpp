// Random and mutated definition files through the parser; under the sanitizers a
// read past the file or the line buffer fails the run.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "convert/definition_loader.h"
#include "gtest/gtest.h"
#include "tests/support/random.h"

namespace {

uint32_t Parse(const std::string& bytes, GlyphDefinition* table, uint32_t capacity) {
  TextFileBuffer buffer;
  EXPECT_TRUE(buffer.Allocate(static_cast<uint32_t>(bytes.size())));
  if (!bytes.empty()) std::memcpy(buffer.data, bytes.data(), bytes.size());
  return ParseDefinitions(buffer, table, capacity);
}

TEST(DefinitionFuzzTest, RandomFilesNeverOverrunAndStayWithinCapacity) {
  static const char* const kPieces[] = {"#data", "\n", "\r", "\r\n", " ", "\t", "0x",
                                        "-",     "+",  "7",  "08",   "Z", "\0", "\xFF",
                                        "#dat",  "9999999999999", "(a line longer than the line buffer)"};
  const std::string longPiece(2100, 'q');
  Random random(2024);
  std::vector<GlyphDefinition> table(8);
  for (int round = 0; round < 3000; ++round) {
    std::string file;
    uint32_t pieces = random.Next(60);
    for (uint32_t i = 0; i < pieces; ++i) {
      uint32_t k = random.Next(sizeof kPieces / sizeof kPieces[0]);
      if (k == 12) file.push_back('\0');
      else if (k == 16) file += longPiece;
      else file += kPieces[k];
    }
    uint32_t capacity = 1 + random.Next(8);
    uint32_t count = Parse(file, table.data(), capacity);
    ASSERT_LE(count, capacity) << "round " << round;
  }
}

TEST(DefinitionFuzzTest, RandomBytesAnyLength) {
  Random random(7);
  GlyphDefinition table[kDefinitionTableCapacity];
  for (int round = 0; round < 500; ++round) {
    std::string bytes(random.Next(5000), '\0');
    for (char& c : bytes) c = static_cast<char>(random.Next(256));
    if (round % 3 == 0) bytes.insert(random.Next(static_cast<uint32_t>(bytes.size()) + 1), "\n#data\n");
    ASSERT_LE(Parse(bytes, table, kDefinitionTableCapacity), kDefinitionTableCapacity);
  }
}

#ifndef _WIN32
// The reader must equal the C library's strtol with base 0, clamped to 32 bits
// (long is 64 bits here, so strtol itself does not clamp at the 32-bit limits).
TEST(DefinitionFuzzTest, NumberReaderAgreesWithStrtol) {
  static const char kAlphabet[] = " \t\v-+0x1789aAfFgXz";
  Random random(99);
  for (int round = 0; round < 200000; ++round) {
    char text[16];
    uint32_t length = random.Next(sizeof text);
    for (uint32_t i = 0; i < length; ++i) text[i] = kAlphabet[random.Next(sizeof kAlphabet - 1)];
    text[length] = '\0';
    char* end = nullptr;
    long expected = std::strtol(text, &end, 0);
    if (expected > INT32_MAX) expected = INT32_MAX;
    if (expected < INT32_MIN) expected = INT32_MIN;
    const char* cursor = text;
    int32_t got = ReadDefinitionNumber(&cursor);
    ASSERT_EQ(got, expected) << '"' << text << '"';
    ASSERT_EQ(cursor, end) << '"' << text << '"';
  }
}
#endif

}  // namespace
