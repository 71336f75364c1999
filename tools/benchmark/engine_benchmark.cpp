// Throughput of one conversion: PreparePicture (grid and edge map) plus
// ConvertTiles (features and nearest glyph) on a 4000 x 3000 picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/definition_loader.h"
#include "convert/tile_matching.h"
#include "tools/benchmark/synthetic_picture.h"

namespace {

constexpr int32_t kWidth = kSyntheticWidth;
constexpr int32_t kHeight = kSyntheticHeight;

// 256 records spread over the feature space, like a generated glyph set.
std::vector<GlyphDefinition> MakeDefinitions() {
  std::vector<GlyphDefinition> table(256);
  uint32_t seed = 1;
  for (size_t i = 0; i < table.size(); ++i) {
    GlyphDefinition& g = table[i];
    g.character = static_cast<int32_t>(i);
    g.blue = g.green = g.red = static_cast<int32_t>(i);
    for (int32_t& e : g.edge) {
      seed = seed * 1103515245u + 12345u;
      e = static_cast<int32_t>((seed >> 16) % 64);
    }
  }
  return table;
}

// The shipped ASCII and katakana set, as the program would use it.
std::vector<GlyphDefinition> LoadShippedSet() {
  std::vector<GlyphDefinition> table(kDefinitionTableCapacity);
  uint32_t count = LoadDefinitions(GLYPHRANE_SOURCE_DIR "/data/ascii-kana-3x6.txt", table.data(),
                                   kDefinitionTableCapacity);
  table.resize(count);
  return table;
}

void Convert(benchmark::State& state, const std::vector<GlyphDefinition>& definitions) {
  static const std::vector<uint8_t> picture = MakeSyntheticPicture();
  if (definitions.empty()) {
    state.SkipWithError("no glyph definitions");
    return;
  }
  const int32_t blockWidth = static_cast<int32_t>(state.range(0));
  const int32_t blockHeight = static_cast<int32_t>(state.range(1));
  const uint32_t count =
      std::min(static_cast<uint32_t>(state.range(2)), static_cast<uint32_t>(definitions.size()));
  ConversionState conversion;
  for (auto _ : state) {
    if (!PreparePicture(conversion, kWidth, kHeight, picture.data())) {
      state.SkipWithError("PreparePicture failed");
      break;
    }
    ConvertTiles(conversion.PixelGrid, kWidth, kHeight, definitions.data(), count,
                 blockWidth, blockHeight, conversion.ArtText);
    benchmark::DoNotOptimize(conversion.ArtText[0]);
    ReleaseConversion(conversion);
  }
  state.counters["pixels/s"] = benchmark::Counter(
      static_cast<double>(kWidth) * kHeight, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Synthetic(benchmark::State& state) {
  static const std::vector<GlyphDefinition> definitions = MakeDefinitions();
  Convert(state, definitions);
}

void BM_ShippedSet(benchmark::State& state) {
  static const std::vector<GlyphDefinition> definitions = LoadShippedSet();
  Convert(state, definitions);
}

// Block width, block height, glyph count. One glyph shows the cost of everything
// but the glyph search.
BENCHMARK(BM_Synthetic)
    ->ArgNames({"bw", "bh", "glyphs"})
    ->Args({3, 6, 256})
    ->Args({1, 1, 256})
    ->Args({3, 6, 1})
    ->Args({1, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ShippedSet)
    ->ArgNames({"bw", "bh", "glyphs"})
    ->Args({3, 6, 256})
    ->Args({1, 1, 256})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
