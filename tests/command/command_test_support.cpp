#include "tests/command/command_test_support.h"

#include <vector>

#include "convert/conversion_state.h"
#include "convert/definition_loader.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_folder.h"

std::string PaddedFolder(const std::string& folder, size_t length) {
  std::string padded = folder;
  if ((length - folder.size()) % 2 != 0) padded += "\\";
  while (padded.size() < length) padded += "\\.";
  return padded;
}

std::string EngineText(const Picture& picture, const std::string& definitions,
                       int32_t blockWidth, int32_t blockHeight) {
  TestFolder folder;
  const std::string path = folder.Child("definitions.txt");
  WriteBytes(path, definitions);
  // Zeros, as a fresh program's table is: fields a file leaves out keep them.
  std::vector<GlyphDefinition> table(kDefinitionTableCapacity);
  const uint32_t count = LoadDefinitions(path.c_str(), table.data(), kDefinitionTableCapacity);
  EXPECT_GT(count, 0u) << "the definitions of the expected text";

  // The holder's layout: 32 bits per pixel, bottom row first.
  const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
  std::vector<uint8_t> rows(rowBytes * picture.height);
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint8_t* source = &picture.bgr[(static_cast<size_t>(y) * picture.width + x) * 3];
      uint8_t* target = &rows[(picture.height - 1 - y) * rowBytes + x * 4];
      target[0] = source[0];
      target[1] = source[1];
      target[2] = source[2];
    }
  }
  ConversionState state;
  if (count == 0 || !PreparePicture(state, picture.width, picture.height, rows.data())) return "";
  ConvertTiles(state.PixelGrid, state.width, state.height, table.data(), count, blockWidth,
               blockHeight, state.ArtText);
  // The text as laid out, with any NUL a glyph put into it.
  std::string text(state.ArtText,
                   ArtTextLength(picture.width, picture.height, blockWidth, blockHeight));
  ReleaseConversion(state);
  return text;
}
