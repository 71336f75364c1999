// engine_measure: one conversion of a picture, for instruction counts under
// callgrind (collect PreparePicture and ConvertTiles only), or timed conversions
// beside a floor taken in the same run. tools/bench --instructions drives it.
//   engine_measure synthetic|PICTURE.ppm DEFINITIONS.txt BW BH [RUNS]
// Prints the pixel count, a hash of the text, so that runs of different builds can
// be seen to give the same bytes, and the kernels' instruction set; with RUNS, also the median wall times of a
// conversion and of the floor: one fresh allocation of the grid's size, written
// once, which is what the grid's first touch costs on this machine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/definition_loader.h"
#include "convert/instruction_set.h"
#include "convert/option_text.h"
#include "convert/tile_matching.h"
#include "tools/benchmark/synthetic_picture.h"
#include "image/ppm_picture.h"

namespace {

GlyphDefinition table[kDefinitionTableCapacity];

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// FNV-1a over the text as laid out, NUL characters included.
unsigned long long TextHash(const char* text, size_t length) {
  unsigned long long hash = 14695981039346656037ull;
  for (size_t i = 0; i < length; ++i) {
    hash = (hash ^ static_cast<uint8_t>(text[i])) * 1099511628211ull;
  }
  return hash;
}

bool Convert(const BottomUpPicture& picture, uint32_t count, int32_t blockWidth,
             int32_t blockHeight, unsigned long long* hash) {
  ConversionState conversion;
  if (!PreparePicture(conversion, picture.width, picture.height, picture.rows.data())) {
    return false;
  }
  ConvertTiles(conversion.PixelGrid, conversion.width, conversion.height, table, count,
               blockWidth, blockHeight, conversion.ArtText);
  *hash = TextHash(conversion.ArtText,
                   ArtTextLength(conversion.width, conversion.height, blockWidth, blockHeight));
  ReleaseConversion(conversion);
  return true;
}

const char* InstructionSetName(InstructionSet set) {
  switch (set) {
    case InstructionSet::kAvx2: return "avx2";
    case InstructionSet::kSse2: return "sse2";
    case InstructionSet::kScalar: break;
  }
  return "scalar";
}

bool TouchFreshGrid(size_t bytes) {
  uint8_t* grid = static_cast<uint8_t*>(std::malloc(bytes));
  if (grid == nullptr) return false;
  std::memset(grid, 1, bytes);
  // A read the compiler must honour, so the writes are not dropped with the block.
  volatile uint8_t last = grid[bytes - 1];
  (void)last;
  std::free(grid);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t blockWidth = 0, blockHeight = 0, runs = 0;
  if ((argc != 5 && argc != 6) || !ReadWholeNumber(argv[3], 1, 4096, &blockWidth) ||
      !ReadWholeNumber(argv[4], 1, 4096, &blockHeight) ||
      (argc == 6 && !ReadWholeNumber(argv[5], 1, 1000, &runs))) {
    std::fputs("usage: engine_measure synthetic|PICTURE.ppm DEFINITIONS.txt BW BH [RUNS]\n",
               stderr);
    return 2;
  }
  BottomUpPicture picture;
  if (std::string(argv[1]) == "synthetic") {
    picture.width = kSyntheticWidth;
    picture.height = kSyntheticHeight;
    picture.rows = MakeSyntheticPicture();
  } else if (!ReadPpmPicture(argv[1], &picture)) {
    std::fprintf(stderr, "engine_measure: cannot read the picture \"%s\"\n", argv[1]);
    return 1;
  }
  const uint32_t count = LoadDefinitions(argv[2], table, kDefinitionTableCapacity);
  if (count == 0) {
    std::fprintf(stderr, "engine_measure: no definitions in \"%s\"\n", argv[2]);
    return 1;
  }
  unsigned long long hash = 0;
  const size_t gridBytes = static_cast<size_t>(picture.width) * picture.height * 4;
  std::vector<double> conversions, floors;
  // One conversion at least, which is all callgrind needs.
  for (int32_t run = 0; run < std::max(runs, 1); ++run) {
    Clock::time_point start = Clock::now();
    if (!TouchFreshGrid(gridBytes)) return 1;
    floors.push_back(MillisecondsSince(start));
    start = Clock::now();
    if (!Convert(picture, count, blockWidth, blockHeight, &hash)) {
      std::fputs("engine_measure: out of memory\n", stderr);
      return 1;
    }
    conversions.push_back(MillisecondsSince(start));
  }
  std::printf("pixels %lld text %016llx set %s",
              static_cast<long long>(picture.width) * picture.height, hash,
              InstructionSetName(ActiveInstructionSet()));
  if (runs > 0) {
    std::printf(" conversion_ms %.1f floor_ms %.1f", Median(conversions), Median(floors));
  }
  std::printf("\n");
  return 0;
}
