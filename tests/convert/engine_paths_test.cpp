// Every instruction-set path of the engine against the plain reference: the
// kernels against the scalar ones, and whole conversions against TileFeatures and
// FindNearestGlyph tile by tile. Each path runs forced on its own; AVX2 is skipped
// (and says so) only where this processor lacks it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/engine_kernels.h"
#include "convert/instruction_set.h"
#include "convert/record_layout.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"
#include "tests/support/random.h"

namespace {

class EnginePathTest : public ::testing::TestWithParam<InstructionSet> {
 protected:
  void SetUp() override {
    saved_ = ActiveInstructionSet();
    if (GetParam() == InstructionSet::kAvx2 && !InstructionSetSupported(GetParam())) {
      GTEST_SKIP() << "this processor has no AVX2";
    }
    ASSERT_TRUE(ForceInstructionSetForTesting(GetParam()));
    ASSERT_EQ(ActiveInstructionSet(), GetParam());
  }
  void TearDown() override { ForceInstructionSetForTesting(saved_); }

 private:
  InstructionSet saved_ = InstructionSet::kScalar;
};

std::vector<uint8_t> RandomBytes(Random& random, size_t size) {
  std::vector<uint8_t> bytes(size);
  // Runs of equal bytes as well as noise and the extremes.
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = random.OneIn(4) ? (i ? bytes[i - 1] : 0)
               : random.OneIn(8) ? (random.OneIn(2) ? 0 : 255)
                                 : static_cast<uint8_t>(random.Next(256));
  }
  return bytes;
}

TEST_P(EnginePathTest, KernelsEqualTheScalarOnes) {
  const EngineKernels& kernels = ActiveKernels();
  Random random(2024);
  for (int round = 0; round < 300; ++round) {
    const int32_t width = 1 + static_cast<int32_t>(random.Next(70));
    const std::vector<uint8_t> source = RandomBytes(random, width * size_t{4});
    const std::vector<uint8_t> below = RandomBytes(random, width * size_t{4});
    std::vector<uint8_t> expected(width * size_t{4}, 0xAA), actual(expected);
    kScalarKernels.plainRow(source.data(), expected.data(), width);
    kernels.plainRow(source.data(), actual.data(), width);
    ASSERT_EQ(actual, expected) << "plain row, width " << width;
    if (width >= 3) {
      kScalarKernels.edgeRow(source.data(), below.data(), expected.data(), width);
      kernels.edgeRow(source.data(), below.data(), actual.data(), width);
      ASSERT_EQ(actual, expected) << "edge row, width " << width;
    }

    // Up to the 257 rows that 16-bit sums allow, all 255 at the limit.
    const int32_t rows = round % 50 == 0 ? kColumnSumRowLimit
                                         : 1 + static_cast<int32_t>(random.Next(40));
    const size_t bytes = 1 + random.Next(200), stride = bytes + random.Next(9);
    std::vector<uint8_t> block = RandomBytes(random, stride * rows);
    if (round % 50 == 0) std::fill(block.begin(), block.end(), 255);
    std::vector<uint16_t> sums(bytes, 1), reference(bytes, 2);
    kScalarKernels.columnSums(block.data(), stride, rows, bytes, reference.data());
    kernels.columnSums(block.data(), stride, rows, bytes, sums.data());
    ASSERT_EQ(sums, reference) << "column sums, " << rows << " rows of " << bytes;
  }
}

TEST_P(EnginePathTest, SearchKernelsBoundAndChooseExactly) {
  const EngineKernels& kernels = ActiveKernels();
  Random random(99);
  for (int round = 0; round < 400; ++round) {
    const uint32_t count = 1 + random.Next(256);
    const uint32_t padded = (count + kRecordGroup - 1) / kRecordGroup * kRecordGroup;
    std::vector<int32_t> rows(12 * padded);
    std::vector<int16_t> grouped(12 * padded);
    // Few distinct values, so that equal distances are common; each scale with the
    // widest differences it takes; or records like the shipped sets' (grey, in order
    // of tone, faint edges) against colourful probes with strong edges, where the
    // table's edge box and a group's colours alone decide most groups.
    const bool ties = random.OneIn(2), grey = !ties && random.OneIn(2);
    const uint32_t scale = 6 + random.Next(3);
    const int32_t low = scale == 6 ? -308 : scale == 7 ? -256 : 0;
    const int32_t high = scale == 6 ? 563 : scale == 7 ? 511 : 255;
    for (uint32_t i = 0; i < padded; ++i) {
      const int32_t tone = static_cast<int32_t>((i * 256 + random.Next(256)) / padded);
      for (uint32_t k = 0; k < 12; ++k) {
        // The places past count repeat the last record, as the kernels require.
        int32_t& value = rows[12 * i + k];
        value = i >= count ? rows[12 * (count - 1) + k]
                : ties     ? static_cast<int32_t>(random.Next(3)) * 100
                : grey     ? (k < 3 ? tone : static_cast<int32_t>(random.Next(17)))
                           : low + static_cast<int32_t>(random.Next(high - low + 1));
        grouped[GroupedAt(i, k)] = static_cast<int16_t>(value);
      }
    }
    int32_t probe[12];
    for (int k = 0; k < 12; ++k) {
      probe[k] =
          ties ? static_cast<int32_t>(random.Next(3)) * 100
               : static_cast<int32_t>(random.Next(grey && k >= 3 && random.OneIn(2) ? 17 : 256));
    }
    // A grey table's limit is a record's distance, as the search's previous winner
    // gives it.
    const uint32_t some = random.Next(count);
    uint64_t someDistance = 0;
    for (int k = 0; k < 12; ++k) {
      const uint64_t d = static_cast<uint64_t>(std::abs(probe[k] - rows[12 * some + k]));
      someDistance += d * d * d;
    }
    const uint16_t limit =
        grey ? static_cast<uint16_t>(std::min<uint64_t>(someDistance >> (32 - 3 * scale), 65535))
        : random.OneIn(10) ? 65535
                           : static_cast<uint16_t>(random.Next(9000));

    std::vector<uint16_t> bounds(padded), referenceBounds(padded);
    std::vector<uint16_t> listed(padded), referenceListed(padded);
    int16_t boxes[kBoxValues];
    GroupBoxes(grouped.data(), count, boxes);
    referenceListed.resize(kScalarKernels.cubeBounds(grouped.data(), count, boxes, probe, scale,
                                                     limit, referenceBounds.data(),
                                                     referenceListed.data()));
    listed.resize(kernels.cubeBounds(grouped.data(), count, boxes, probe, scale, limit,
                                     bounds.data(), listed.data()));
    ASSERT_EQ(listed, referenceListed) << "round " << round;
    for (uint16_t i : listed) ASSERT_EQ(bounds[i], referenceBounds[i]) << "round " << round;
    const uint32_t unit = 32 - 3 * scale;
    std::vector<uint16_t> indices(padded);
    for (uint32_t i = 0; i < count; ++i) {
      // The bound must never exceed the distance, or a winner could be dropped.
      uint64_t exact = 0;
      for (int k = 0; k < 12; ++k) {
        const uint64_t d = static_cast<uint64_t>(std::abs(probe[k] - rows[12 * i + k]));
        exact += d * d * d;
      }
      ASSERT_LE(uint64_t{referenceBounds[i]} << unit, exact) << "round " << round;
      // Nor fall short by kBoundSlack + 1, or a nearer record could go unlisted.
      if (referenceBounds[i] < 65535) {
        ASSERT_LT(exact, (uint64_t{referenceBounds[i]} + kBoundSlack + 1) << unit)
            << "round " << round;
      }
      indices[i] = static_cast<uint16_t>(random.Next(300));
    }

    // Lists of any length, none at all included, each readable in eights.
    std::vector<uint16_t> chosen;
    for (uint32_t i = 0; i < count; ++i) {
      if (round % 7 != 0 && random.OneIn(1 + round % 5)) chosen.push_back(static_cast<uint16_t>(i));
    }
    const uint32_t n = static_cast<uint32_t>(chosen.size());
    chosen.resize((n + 7) / 8 * 8, static_cast<uint16_t>(random.Next(65536)));
    uint32_t distance = 7, referenceDistance = 7;
    const uint32_t expected = PlainNearestListed(rows.data(), chosen.data(), n, probe,
                                                 indices.data(), &referenceDistance);
    ASSERT_EQ(kernels.nearestListed(rows.data(), chosen.data(), n, probe, indices.data(),
                                    &distance),
              expected)
        << "round " << round << ", " << n << " listed";
    ASSERT_EQ(distance, referenceDistance) << "round " << round;
    const uint32_t record = random.Next(count);
    ASSERT_EQ(kernels.exactDistance(&rows[12 * record], probe),
              PlainExactDistance(&rows[12 * record], probe))
        << "round " << round;
  }
}

struct BlockSize {
  int32_t width, height;
};

TEST_P(EnginePathTest, ConversionsEqualThePlainScanTileByTile) {
  // From unit blocks to tall and wide ones, past the sizes that column sums take
  // (wider than a run, taller than 257 rows, blocks of more than 257 pixels).
  const BlockSize kBlocks[] = {{1, 1}, {1, 2}, {2, 1}, {3, 6}, {2, 4}, {7, 3}, {1, 40},
                               {40, 1}, {5, 60}, {161, 1}, {1, 258}, {160, 2}};
  Random random(31337);
  for (int round = 0; round < 150; ++round) {
    const BlockSize block = kBlocks[round % (sizeof kBlocks / sizeof kBlocks[0])];
    const int32_t width = 1 + static_cast<int32_t>(random.Next(3 * block.width * 4 + 8));
    const int32_t height = 1 + static_cast<int32_t>(random.Next(3 * block.height * 3 + 8));
    std::vector<uint8_t> rows = RandomBytes(random, static_cast<size_t>(width) * height * 4);
    // Flat pictures repeat tiles, so the repeated-tile shortcut runs too.
    if (round % 5 == 0) std::fill(rows.begin(), rows.end(), static_cast<uint8_t>(round));

    // Tables of every kind: values in 0-255 (the finest bounds), small and far
    // values (the 64-bit path), ties and duplicates, and more than 256 records.
    const uint32_t count = round % 9 == 8 ? 300 : 1 + random.Next(200);
    const bool far = round % 4 == 1, ties = round % 4 == 2, bytes = round % 4 == 3;
    std::vector<GlyphDefinition> table(count);
    for (uint32_t i = 0; i < count; ++i) {
      GlyphDefinition& g = table[i];
      g.character = static_cast<int32_t>(i % 256);
      int32_t* values = &g.blue;
      for (int k = 0; k < 12; ++k) {
        values[k] = ties ? static_cast<int32_t>(random.Next(3)) * 120
                    : far && random.OneIn(6) ? static_cast<int32_t>(random.Next(2000001)) - 1000000
                    : bytes                  ? static_cast<int32_t>(random.Next(256))
                                             : static_cast<int32_t>(random.Next(872)) - 308;
      }
      if (i > 0 && random.OneIn(4)) {
        g = table[random.Next(i)];
        g.character = static_cast<int32_t>(i % 256);
      }
    }

    ConversionState state;
    ASSERT_TRUE(PreparePicture(state, width, height, rows.data()));
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* source = rows.data() + static_cast<size_t>(height - 1 - y) * rowBytes;
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* p = source + x * size_t{4};
        const uint8_t* g = state.PixelGrid + y * rowBytes + x * size_t{4};
        const bool interior = x > 0 && y > 0 && x < width - 1 && y < height - 1;
        const int32_t edge = interior ? EdgeStrength(p, p + 4, p, p - rowBytes) : 0;
        ASSERT_TRUE(g[0] == p[0] && g[1] == p[1] && g[2] == p[2] && g[3] == edge)
            << "grid pixel " << x << "," << y << " of " << width << "x" << height;
      }
    }

    ConvertTiles(state.PixelGrid, width, height, table.data(), count, block.width,
                 block.height, state.ArtText);
    const char* text = state.ArtText;
    for (int32_t y = 0; y + 3 * block.height <= height; y += 3 * block.height) {
      for (int32_t x = 0; x + 3 * block.width <= width; x += 3 * block.width) {
        const GlyphDefinition features =
            TileFeatures(state.PixelGrid, width, x, y, block.width, block.height);
        ASSERT_EQ(static_cast<uint8_t>(*text++),
                  static_cast<uint8_t>(FindNearestGlyph(table.data(), count, features).character))
            << "round " << round << ", blocks " << block.width << "x" << block.height
            << ", tile " << x << "," << y;
      }
      ASSERT_EQ(*text++, '\r');
      ASSERT_EQ(*text++, '\n');
    }
    ASSERT_EQ(*text, '\0');
    ReleaseConversion(state);
  }
}

INSTANTIATE_TEST_SUITE_P(EachInstructionSet, EnginePathTest,
                         ::testing::Values(InstructionSet::kScalar, InstructionSet::kSse2,
                                           InstructionSet::kAvx2),
                         [](const ::testing::TestParamInfo<InstructionSet>& info) {
                           switch (info.param) {
                             case InstructionSet::kScalar: return std::string("Scalar");
                             case InstructionSet::kSse2: return std::string("Sse2");
                             case InstructionSet::kAvx2: return std::string("Avx2");
                           }
                           return std::string("Unknown");
                         });

}  // namespace
