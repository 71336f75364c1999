#include <cstring>
#include <string>

#include "convert/definition_loader.h"
#include "gtest/gtest.h"
#include "tests/convert/test_files.h"

namespace {

// A table pre-filled with a recognisable pattern, so that untouched fields show.
struct Table {
  GlyphDefinition entries[kDefinitionTableCapacity];
  Table() {
    for (uint32_t i = 0; i < kDefinitionTableCapacity; ++i) Fill(entries[i], 1000 + i);
  }
  static void Fill(GlyphDefinition& g, int32_t v) {
    g.character = v;
    g.spare = g.blue = g.green = g.red = v;
    for (int32_t& e : g.edge) e = v;
  }
};

std::string Record(char character, const std::string& colour, const std::string& top,
                   const std::string& middle, const std::string& bottom) {
  return "#data\n" + std::string(1, character) + "\n" + colour + "\n" + top + "\n" + middle +
         "\n" + bottom + "\n";
}

uint32_t Load(const std::string& contents, Table& table,
              uint32_t capacity = kDefinitionTableCapacity) {
  TempFile file(contents);
  return LoadDefinitions(file.path(), table.entries, capacity);
}

int32_t Number(const char* text, ptrdiff_t* consumed = nullptr) {
  const char* cursor = text;
  int32_t value = ReadDefinitionNumber(&cursor);
  if (consumed != nullptr) *consumed = cursor - text;
  return value;
}

TEST(DefinitionFileTest, ReadsTheExampleFile) {
  Table table;
  uint32_t count = Load(
      "any text before the first marker is ignored\r\n" +
          Record('.', "0 230 230 230", "0 0 0", "0 0 0", "0 40 0") +
          Record('|', "0 120 120 120", "0 90 0", "0 90 0", "0 90 0"),
      table);
  ASSERT_EQ(count, 2u);
  const GlyphDefinition& dot = table.entries[0];
  EXPECT_EQ(dot.character & 0xFF, '.');
  EXPECT_EQ(dot.character >> 8, 1000 >> 8) << "upper bytes of character keep their value";
  EXPECT_EQ(dot.spare, 0);
  EXPECT_EQ(dot.blue, 230);
  EXPECT_EQ(dot.red, 230);
  EXPECT_EQ(dot.edge[7], 40);
  EXPECT_EQ(table.entries[1].character & 0xFF, '|');
  EXPECT_EQ(table.entries[1].edge[4], 90);
  EXPECT_EQ(table.entries[2].blue, 1002) << "entries beyond the count are not touched";
}

TEST(DefinitionFileTest, CountsAMarkerAtTheEndAsARecord) {
  Table table;
  EXPECT_EQ(Load(Record('a', "1 2 3 4", "1 1 1", "2 2 2", "3 3 3") + "#data\n", table), 2u);
  // The last opened entry got nothing and keeps what it held.
  EXPECT_EQ(table.entries[1].character, 1001);
  EXPECT_EQ(table.entries[1].blue, 1001);
}

TEST(DefinitionFileTest, FileWithoutMarkerOrMissingReadsNothing) {
  Table table;
  EXPECT_EQ(Load("", table), 0u);
  EXPECT_EQ(Load("#Data\n.\n1 2 3 4\n#data \n", table), 0u);
  EXPECT_EQ(LoadDefinitions(MissingFilePath().c_str(), table.entries, 256), 0u);
  EXPECT_EQ(table.entries[0].character, 1000);
}

TEST(DefinitionFileTest, LineEndsOfEveryKindAndBlankLinesAreSkipped) {
  Table table;
  ASSERT_EQ(Load("\r\n\n\r#data\r\r\n\n x\r5 6 7 8\n\n\r\n1 2 3\r4 5 6\r\n7 8 9", table), 1u);
  const GlyphDefinition& g = table.entries[0];
  EXPECT_EQ(g.character & 0xFF, ' ') << "a line starting with a space defines the space";
  EXPECT_EQ(g.spare, 5);
  EXPECT_EQ(g.red, 8);
  EXPECT_EQ(g.edge[0], 1);
  EXPECT_EQ(g.edge[5], 6);
  EXPECT_EQ(g.edge[8], 9);
}

TEST(DefinitionFileTest, NearMarkersAreOrdinaryLinesOfARecord) {
  Table table;
  ASSERT_EQ(Load("#data\n#DATA\n#data \n", table), 1u);
  EXPECT_EQ(table.entries[0].character & 0xFF, '#');
  EXPECT_EQ(table.entries[0].blue, 0) << "\"#data \" as a colour line reads no number";
}

TEST(DefinitionFileTest, MarkerInsideAnUnfinishedRecordIsItsNextLine) {
  Table table;
  // Two markers in a row: the first entry gets '#', the rest keeps its values.
  ASSERT_EQ(Load("#data\n#data\nz\n", table), 2u);
  EXPECT_EQ(table.entries[0].character & 0xFF, '#');
  EXPECT_EQ(table.entries[0].blue, 1000);
  EXPECT_EQ(table.entries[1].character & 0xFF, 'z');

  // Character and colour line only: the marker becomes the top edge row (zeros).
  Table second;
  ASSERT_EQ(Load("#data\nq\n1 2 3 4\n#data\nr\n", second), 2u);
  EXPECT_EQ(second.entries[0].edge[0], 0);
  EXPECT_EQ(second.entries[0].edge[2], 0);
  EXPECT_EQ(second.entries[0].edge[3], 1000);
  EXPECT_EQ(second.entries[0].edge[8], 1000);
}

TEST(DefinitionFileTest, FreeTextAfterTheFifthLineIsIgnored) {
  Table table;
  ASSERT_EQ(Load(Record('a', "0 1 2 3", "4 5 6", "7 8 9", "10 11 12") +
                     "notes\n99 99 99 99\nmore\n" + Record('b', "0 9 9 9", "", "", ""),
                 table),
            2u);
  EXPECT_EQ(table.entries[0].edge[8], 12);
  EXPECT_EQ(table.entries[1].character & 0xFF, 'b');
}

TEST(DefinitionFileTest, StopsAtCapacity) {
  std::string file;
  for (int i = 0; i < 300; ++i) file += Record('a' + i % 26, std::to_string(i) + " 1 2 3", "0 0 0",
                                               "0 0 0", "0 0 0");
  Table table;
  EXPECT_EQ(Load(file, table), 256u);
  EXPECT_EQ(table.entries[255].spare, 255);
  Table small;
  EXPECT_EQ(Load(file, small, 3), 3u);
  EXPECT_EQ(small.entries[2].spare, 2);
  EXPECT_EQ(small.entries[3].spare, 1003) << "nothing is written beyond capacity";
}

TEST(DefinitionFileTest, LongLinesAreCutAt2047Bytes) {
  // A 3000-byte character line: the first 2047 bytes are the character line and
  // the remaining 953 bytes come back as the colour line.
  std::string longLine = "x" + std::string(2046, 'y') + "42 1 2 3" + std::string(945, ' ');
  ASSERT_EQ(longLine.size(), 3000u);
  Table table;
  ASSERT_EQ(Load("#data\n" + longLine + "\n", table), 1u);
  EXPECT_EQ(table.entries[0].character & 0xFF, 'x');
  EXPECT_EQ(table.entries[0].spare, 42);
  EXPECT_EQ(table.entries[0].red, 3);

  TextFileBuffer buffer;
  ASSERT_TRUE(buffer.Allocate(static_cast<uint32_t>(longLine.size())));
  std::memcpy(buffer.data, longLine.data(), longLine.size());
  char line[2048];
  EXPECT_EQ(buffer.ReadLine(line, sizeof line), 2047u);
  EXPECT_EQ(buffer.ReadLine(line, sizeof line), 953u);
  EXPECT_EQ(buffer.ReadLine(line, sizeof line), 0u);
}

TEST(DefinitionFileTest, NulInsideALineIsCopiedAndHidesTheRest) {
  TextFileBuffer buffer;
  const char bytes[] = {'a', '\0', 'b', '\n', '\n', 'c'};
  ASSERT_TRUE(buffer.Allocate(sizeof bytes));
  std::memcpy(buffer.data, bytes, sizeof bytes);
  char line[8];
  EXPECT_EQ(buffer.ReadLine(line, sizeof line), 3u);
  EXPECT_EQ(std::memcmp(line, "a\0b", 4), 0);
  EXPECT_EQ(buffer.ReadLine(line, sizeof line), 1u);
  EXPECT_STREQ(line, "c");
  EXPECT_EQ(buffer.ReadLine(line, sizeof line), 0u);
}

TEST(DefinitionFileTest, NumberLinesFollowStrtolWithBaseZero) {
  Table table;
  ASSERT_EQ(Load("#data\na\n010 0x1F 08\n12,34,56 7\n\t-5\v+6\f0X0a extra 1\n", table), 1u);
  const GlyphDefinition& g = table.entries[0];
  EXPECT_EQ(g.spare, 8);
  EXPECT_EQ(g.blue, 31);
  EXPECT_EQ(g.green, 0) << "08 reads as 0 then 8";
  EXPECT_EQ(g.red, 8);
  EXPECT_EQ(g.edge[0], 12);
  EXPECT_EQ(g.edge[1], 0) << "a comma stops the reading for the rest of the line";
  EXPECT_EQ(g.edge[2], 0);
  EXPECT_EQ(g.edge[3], -5);
  EXPECT_EQ(g.edge[4], 6);
  EXPECT_EQ(g.edge[5], 10);
}

TEST(DefinitionFileTest, NumbersBeyond32BitsAreClamped) {
  EXPECT_EQ(Number("2147483647"), INT32_MAX);
  EXPECT_EQ(Number("2147483648"), INT32_MAX);
  EXPECT_EQ(Number("99999999999999999999999"), INT32_MAX);
  EXPECT_EQ(Number("-2147483648"), INT32_MIN);
  EXPECT_EQ(Number("-2147483649"), INT32_MIN);
  EXPECT_EQ(Number("0xFFFFFFFF"), INT32_MAX);
  EXPECT_EQ(Number("-0x80000000"), INT32_MIN);
  EXPECT_EQ(Number("037777777777"), INT32_MAX);
}

TEST(DefinitionFileTest, WhereNoNumberCanBeReadTheCursorStays) {
  ptrdiff_t consumed = -1;
  EXPECT_EQ(Number("", &consumed), 0);
  EXPECT_EQ(consumed, 0);
  EXPECT_EQ(Number("  - 5", &consumed), 0);
  EXPECT_EQ(consumed, 0);
  EXPECT_EQ(Number("abc", &consumed), 0);
  EXPECT_EQ(consumed, 0);
  // "0x" without a hex digit is the number 0 followed by "x".
  EXPECT_EQ(Number(" 0xg", &consumed), 0);
  EXPECT_EQ(consumed, 2);
  EXPECT_EQ(Number("0x1fz", &consumed), 31);
  EXPECT_EQ(consumed, 4);
}

}  // namespace
