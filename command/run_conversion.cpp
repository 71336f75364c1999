#include "command/run_conversion.h"

#include <windows.h>

#include <cstring>

#include "command/messages.h"
#include "command/program_state.h"
#include "convert/conversion_state.h"
#include "convert/definition_loader.h"
#include "convert/tile_matching.h"
#include "image/dib_image.h"
#include "platform/path_join.h"

namespace {

constexpr char kDataFolder[] = "data";

ConversionResult Fail(const char* message, int focusControl) {
  return {false, {message, focusControl}, 0};
}

ConversionResult NoSelection() { return Fail(kMessageNoSelection, kFocusDefinition); }
ConversionResult InvalidEntry() { return Fail(kMessageInvalidEntry, kFocusDefinition); }
ConversionResult InvalidWidth() { return Fail(kMessageInvalidWidth, kFocusBlockWidth); }
ConversionResult InvalidHeight() { return Fail(kMessageInvalidHeight, kFocusBlockHeight); }
ConversionResult UnreadableDefinition() {
  return Fail(kMessageUnreadableDefinition, kFocusDefinition);
}
ConversionResult UnreadablePicture() {
  return Fail(kMessageUnreadablePicture, kFocusImagePath);
}

bool IsValidBlockSize(uint32_t size) { return static_cast<int32_t>(size) > 0; }

// programFolder\data\fileName into path; false when the whole path and its NUL
// do not fit. A catalogue entry is a fixed field that need not hold a NUL, which
// JoinPath allows for.
bool ComposeDefinitionPath(const char* programFolder, const char* fileName,
                           char (&path)[kPathBytes]) {
  char dataFolder[kPathBytes];
  return JoinPath(dataFolder, programFolder, kDataFolder) &&
         JoinPath(path, dataFolder, fileName);
}

// Empties the holder and the state, then takes the new picture. The previous
// text is gone even when the new picture cannot be read.
bool LoadPicture(const char* picturePath) {
  dibImage.Reset();
  ReleaseConversion(conversionState);
  if (::strnlen(picturePath, kPathBytes) >= kPathBytes) return false;
  if (dibImage.Load(pluginTable, picturePath, 32) == 0) return false;
  const BITMAPINFOHEADER& header = dibImage.info.bmiHeader;
  // PreparePicture reads width x height x 4 bytes from bits: only a held 32-bit
  // bottom-up section has that layout.
  if (dibImage.bits == nullptr || header.biBitCount != 32 || header.biHeight <= 0 ||
      !PreparePicture(conversionState, header.biWidth, header.biHeight,
                      static_cast<const uint8_t*>(dibImage.bits))) {
    dibImage.Reset();
    return false;
  }
  return true;
}

}  // namespace

ConversionResult RunConversionWithDefinitionFile(const char* definitionPath,
                                                 uint32_t blockWidth, uint32_t blockHeight,
                                                 const char* picturePath) {
  if (!IsValidBlockSize(blockWidth)) return InvalidWidth();
  if (!IsValidBlockSize(blockHeight)) return InvalidHeight();

  if (definitionPath == nullptr) return UnreadableDefinition();
  const uint32_t recordCount =
      LoadDefinitions(definitionPath, definitionTable, kDefinitionTableCapacity);
  if (recordCount == 0) return UnreadableDefinition();

  if (!LoadPicture(picturePath)) return UnreadablePicture();

  ConvertTiles(conversionState.PixelGrid, conversionState.width, conversionState.height,
               definitionTable, recordCount, static_cast<int32_t>(blockWidth),
               static_cast<int32_t>(blockHeight), conversionState.ArtText);
  return {true, {nullptr, 0}, recordCount};
}

ConversionResult RunConversion(const char* programFolder, const DefinitionCatalog& catalog,
                               int32_t selection, uint32_t blockWidth, uint32_t blockHeight,
                               const char* picturePath) {
  const uint32_t index = static_cast<uint32_t>(selection);
  if (index >= catalog.count || catalog.entries == nullptr) return NoSelection();
  const CatalogEntry& entry = catalog.entries[index];
  if (entry.fileName[0] == '\0') return InvalidEntry();

  // The block checks come before the definition step, so a path that cannot be
  // composed is reported only once they pass.
  char path[kPathBytes];
  const bool composed = ComposeDefinitionPath(programFolder, entry.fileName, path);
  return RunConversionWithDefinitionFile(composed ? path : nullptr, blockWidth, blockHeight,
                                         picturePath);
}
