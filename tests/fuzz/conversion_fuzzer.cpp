// Small pictures, block sizes and glyph tables made from the fuzzer's bytes,
// converted by the engine. Every tile's character must be the one the plain scan
// (FindNearestGlyph) picks for that tile, and the text must have its layout.
// Values may lie far outside 0-255, so that the saturating 64-bit path runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/tile_matching.h"

namespace {

// Reads the input front to back; zeros once it is used up.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  int32_t Value(bool far) {
    const int16_t near = static_cast<int16_t>(Byte() | Byte() << 8);
    return far ? int32_t{near} * 65536 : int32_t{near} % 300;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

[[noreturn]] void Fail(const char* what, int64_t x, int64_t y) {
  std::fprintf(stderr, "conversion: %s at (%lld, %lld)\n", what, static_cast<long long>(x),
               static_cast<long long>(y));
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const int32_t width = 1 + in.Byte() % 64;
  const int32_t height = 1 + in.Byte() % 64;
  const int32_t blockWidth = 1 + in.Byte() % 7;
  const int32_t blockHeight = 1 + in.Byte() % 7;
  // Up to 300 records: more than a file holds, as the search must not care.
  const uint32_t count = 1 + (in.Byte() | in.Byte() << 8) % 300;

  std::vector<GlyphDefinition> table(count);
  for (GlyphDefinition& record : table) {
    record.character = in.Byte();
    const uint8_t farValues = in.Byte();
    const bool anyFar = farValues >= 224;  // about one record in eight
    int32_t* const values[12] = {&record.blue,    &record.green,   &record.red,
                                 &record.edge[0], &record.edge[1], &record.edge[2],
                                 &record.edge[3], &record.edge[4], &record.edge[5],
                                 &record.edge[6], &record.edge[7], &record.edge[8]};
    for (int k = 0; k < 12; ++k) *values[k] = in.Value(anyFar && (farValues >> (k % 5)) & 1);
  }
  std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4);
  for (uint8_t& byte : rows) byte = in.Byte();

  ConversionState state;
  if (!PreparePicture(state, width, height, rows.data())) Fail("no grid for a small picture", 0, 0);
  ConvertTiles(state.PixelGrid, width, height, table.data(), count, blockWidth,
               blockHeight, state.ArtText);

  const char* text = state.ArtText;
  const int64_t tileWidth = 3 * blockWidth, tileHeight = 3 * blockHeight;
  size_t at = 0;
  for (int64_t y = 0; y + tileHeight <= height; y += tileHeight) {
    for (int64_t x = 0; x + tileWidth <= width; x += tileWidth) {
      const GlyphDefinition features =
          TileFeatures(state.PixelGrid, width, static_cast<int32_t>(x),
                       static_cast<int32_t>(y), blockWidth, blockHeight);
      const uint8_t expected =
          static_cast<uint8_t>(FindNearestGlyph(table.data(), count, features).character);
      if (static_cast<uint8_t>(text[at++]) != expected) Fail("not the plain scan's glyph", x, y);
    }
    if (text[at] != '\r' || text[at + 1] != '\n') Fail("no CR LF after a row", 0, y);
    at += 2;
  }
  if (at != ArtTextLength(width, height, blockWidth, blockHeight) || text[at] != '\0') {
    Fail("a text of the wrong length", 0, 0);
  }
  ReleaseConversion(state);
  return 0;
}
