#include <cstring>
#include <vector>

#include "convert/ansi_text.h"
#include "convert/conversion_state.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"

namespace {

GlyphDefinition Record(char character, int32_t level) {
  GlyphDefinition g{};
  g.character = static_cast<uint8_t>(character);
  g.blue = g.green = g.red = level;
  return g;
}

GlyphDefinition Features(int32_t level) { return Record(0, level); }

char Nearest(const std::vector<GlyphDefinition>& table, const GlyphDefinition& features) {
  return static_cast<char>(
      FindNearestGlyph(table.data(), static_cast<uint32_t>(table.size()), features).character);
}

TEST(NearestGlyphTest, CubedDistanceNotSquared) {
  // Probe 0 against a record off by 10 in one channel (cube 1000) and one off by
  // 6 in three channels (3 x 216 = 648; squares would be 100 against 108).
  GlyphDefinition oneChannel = Record('a', 0);
  oneChannel.red = 10;
  std::vector<GlyphDefinition> table = {oneChannel, Record('b', 6)};
  EXPECT_EQ(Nearest(table, Features(0)), 'b');
}

TEST(NearestGlyphTest, EveryFeatureFromBlueToTheLastEdgeCounts) {
  for (int field = 0; field < 12; ++field) {
    GlyphDefinition probe{};
    GlyphDefinition differs{};
    differs.character = 'x';
    int32_t* value = field < 3 ? &differs.blue + field : &differs.edge[field - 3];
    *value = 1;
    GlyphDefinition same{};
    same.character = 's';
    std::vector<GlyphDefinition> table = {differs, same};
    EXPECT_EQ(Nearest(table, probe), 's') << "field " << field;
  }
  // character and spare take no part.
  GlyphDefinition spare = Record('p', 0);
  spare.spare = 1000;
  EXPECT_EQ(Nearest({spare, Record('q', 0)}, Features(0)), 'p');
}

TEST(NearestGlyphTest, TiesKeepTheEarlierRecord) {
  std::vector<GlyphDefinition> table = {Record('a', 90), Record('b', 110), Record('c', 100),
                                        Record('d', 100)};
  EXPECT_EQ(Nearest(table, Features(100)), 'c');
  EXPECT_EQ(Nearest(table, Features(0)), 'a');
  EXPECT_EQ(Nearest({Record('a', 90), Record('b', 110)}, Features(100)), 'a');
  EXPECT_EQ(Nearest({Record('z', 255)}, Features(0)), 'z') << "one record always wins";
}

TEST(NearestGlyphTest, FarRecordsNeverWinThroughOverflow) {
  // 563 is the last value for which 32-bit arithmetic was exact; beyond, a wrapping
  // sum could make a far record look near. Here distances saturate instead.
  std::vector<GlyphDefinition> table = {Record('f', INT32_MIN), Record('g', INT32_MAX),
                                        Record('n', 200), Record('h', 2000000)};
  EXPECT_EQ(Nearest(table, Features(0)), 'n');
  EXPECT_EQ(Nearest(table, Features(255)), 'n');
  // 1625 cubed is just above 2^32: a 32-bit wrap would make it small.
  EXPECT_EQ(Nearest({Record('w', 1625), Record('m', 900)}, Features(0)), 'm');
  // All far: the nearest of them still wins, and equally saturated ones tie.
  EXPECT_EQ(Nearest({Record('x', 5000000), Record('y', 3000)}, Features(0)), 'y');
  EXPECT_EQ(Nearest({Record('x', INT32_MIN), Record('y', INT32_MAX)}, Features(0)), 'x');
}

TEST(NearestGlyphTest, AgreesWithExhaustiveSearchOnRandomTables) {
  // The search stops summing a record early; this checks that it never changes
  // the answer, ties included (values drawn from a small range to force ties).
  uint32_t seed = 12345;
  auto next = [&seed](int32_t range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int32_t>((seed >> 8) % static_cast<uint32_t>(range));
  };
  for (int round = 0; round < 2000; ++round) {
    std::vector<GlyphDefinition> table(1 + next(40));
    for (size_t i = 0; i < table.size(); ++i) {
      table[i].character = static_cast<int32_t>(i);
      table[i].blue = next(4) * 50;
      table[i].green = next(4) * 50;
      table[i].red = next(4) * 50;
      for (int32_t& e : table[i].edge) e = next(3) * 100;
    }
    GlyphDefinition probe{};
    probe.blue = next(256);
    probe.green = next(256);
    probe.red = next(256);
    for (int32_t& e : probe.edge) e = next(256);

    size_t expected = 0;
    long double least = -1;
    for (size_t i = 0; i < table.size(); ++i) {
      const int32_t* r = &table[i].blue;
      const int32_t* p = &probe.blue;
      long double d = 0;
      for (int k = 0; k < 3; ++k) d += std::abs(static_cast<long double>(p[k] - r[k])) *
                                       std::abs(static_cast<long double>(p[k] - r[k])) *
                                       std::abs(static_cast<long double>(p[k] - r[k]));
      for (int k = 0; k < 9; ++k) {
        long double diff = std::abs(static_cast<long double>(probe.edge[k] - table[i].edge[k]));
        d += diff * diff * diff;
      }
      if (least < 0 || d < least) least = d, expected = i;
    }
    ASSERT_EQ(Nearest(table, probe), static_cast<char>(expected)) << "round " << round;
  }
}

TEST(NearestGlyphTest, ConvertTilesChoosesWhatTheSearchChoosesForEveryTile) {
  // ConvertTiles searches from the previous tile's winner and reuses answers for
  // repeated tiles; its text must still be FindNearestGlyph's, tile for tile, for
  // tables within and beyond the small-value range, with many ties.
  uint32_t seed = 777;
  auto next = [&seed](uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
  };
  for (int round = 0; round < 60; ++round) {
    const int32_t width = 3 + static_cast<int32_t>(next(40));
    const int32_t height = 3 + static_cast<int32_t>(next(40));
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4);
    // Flat patches with some noise: repeated tiles and similar neighbours.
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>(
        ((i / 4) % static_cast<size_t>(width)) / 7 * 60 + (next(8) == 0 ? next(256) : 0));
    // Tables beyond 256 records take the unindexed path.
    std::vector<GlyphDefinition> table(round % 10 == 9 ? 300 : 1 + next(30));
    const bool far = round % 3 == 0;
    for (size_t i = 0; i < table.size(); ++i) {
      GlyphDefinition& g = table[i];
      g.character = static_cast<int32_t>(i);
      int32_t values[12];
      for (int32_t& v : values) v = static_cast<int32_t>(next(4) * 85) - (far ? 400 : 0);
      g.blue = values[0], g.green = values[1], g.red = values[2];
      for (int k = 0; k < 9; ++k) g.edge[k] = values[3 + k];
      // Duplicates under another character: exact ties that only order decides.
      if (i > 0 && next(3) == 0) {
        g = table[next(static_cast<uint32_t>(i))];
        g.character = static_cast<int32_t>(i);
      }
    }
    ConversionState state;
    ASSERT_TRUE(PreparePicture(state, width, height, rows.data()));
    const int32_t blockWidth = 1 + static_cast<int32_t>(next(2));
    const int32_t blockHeight = 1 + static_cast<int32_t>(next(2));
    ConvertTiles(state.PixelGrid, width, height, table.data(),
                 static_cast<uint32_t>(table.size()), blockWidth, blockHeight,
                 state.ArtText);
    const char* text = state.ArtText;
    for (int32_t y = 0; y + 3 * blockHeight <= height; y += 3 * blockHeight) {
      for (int32_t x = 0; x + 3 * blockWidth <= width; x += 3 * blockWidth) {
        GlyphDefinition features =
            TileFeatures(state.PixelGrid, width, x, y, blockWidth, blockHeight);
        ASSERT_EQ(*text++, Nearest(table, features)) << "round " << round << " tile " << x
                                                     << "," << y;
      }
      ASSERT_EQ(*text++, '\r');
      ASSERT_EQ(*text++, '\n');
    }
    ASSERT_EQ(*text, '\0');
    ReleaseConversion(state);
  }
}

TEST(AnsiTextTest, LastCharacterStepsOverDoubleByteCharacters) {
  // "ソ" is 83 5C and "表" is 95 5C in code page 932: their second byte is a
  // backslash that must not be taken for one.
  const char folder[] = "C:\\\x83\x5C\\\x95\x5C";
  const char* found = FindLastCharacter(folder, '\\', IsCp932LeadByte);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found - folder, 5);
  EXPECT_EQ(FindLastCharacter("\x83\x5C", '\\', IsCp932LeadByte), nullptr);
  const char dotted[] = "a.txt.\x83\x2E";  // 0x2E as a trail byte is no dot either
  EXPECT_EQ(FindLastCharacter(dotted, '.', IsCp932LeadByte) - dotted, 5);
  EXPECT_EQ(FindLastCharacter("noext", '.', IsCp932LeadByte), nullptr);
  // Half-width katakana (0xA1-0xDF) are single bytes.
  const char kana[] = "\xB1.\xDF";
  EXPECT_EQ(FindLastCharacter(kana, '.', IsCp932LeadByte) - kana, 1);
  // A lead byte at the end must not make the walk step over the NUL.
  const char truncated[] = "a\\b\x83";
  EXPECT_EQ(FindLastCharacter(truncated, '\\', IsCp932LeadByte) - truncated, 1);
}

}  // namespace
