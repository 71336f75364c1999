// glyphrane-artdump: converts a PPM picture with a definition file, natively, with
// the engine's own code, and prints the text. The scoring of glyph sets runs it on
// Linux, where the Windows programs would need Wine for every picture.
#include <cstdio>
#include <string>

#include "convert/conversion_state.h"
#include "convert/definition_loader.h"
#include "convert/option_text.h"
#include "convert/tile_matching.h"
#include "image/ppm_picture.h"

namespace {

bool ReadBlockSide(const char* text, int32_t* value) {
  return ReadWholeNumber(text, 1, 4096, value);
}

GlyphDefinition table[kDefinitionTableCapacity];

}  // namespace

int main(int argc, char** argv) {
  int32_t blockWidth = 3, blockHeight = 6;
  if ((argc != 3 && argc != 5) ||
      (argc == 5 && (!ReadBlockSide(argv[3], &blockWidth) || !ReadBlockSide(argv[4], &blockHeight)))) {
    std::fputs("usage: glyphrane-artdump PICTURE.ppm DEFINITIONS.txt [BLOCK_WIDTH BLOCK_HEIGHT]\n",
               stderr);
    return 2;
  }
  BottomUpPicture picture;
  if (!ReadPpmPicture(argv[1], &picture)) {
    std::fprintf(stderr, "glyphrane-artdump: cannot read the picture \"%s\"\n", argv[1]);
    return 1;
  }
  uint32_t count = LoadDefinitions(argv[2], table, kDefinitionTableCapacity);
  if (count == 0) {
    std::fprintf(stderr, "glyphrane-artdump: no definitions in \"%s\"\n", argv[2]);
    return 1;
  }
  ConversionState conversion;
  if (!PreparePicture(conversion, picture.width, picture.height, picture.rows.data())) {
    std::fputs("glyphrane-artdump: out of memory\n", stderr);
    return 1;
  }
  ConvertTiles(conversion.PixelGrid, conversion.width, conversion.height, table, count,
               blockWidth, blockHeight, conversion.ArtText);
  // The whole text as laid out, even where a glyph's character is NUL.
  std::fwrite(conversion.ArtText, 1,
              ArtTextLength(conversion.width, conversion.height, blockWidth, blockHeight), stdout);
  ReleaseConversion(conversion);
  return 0;
}
