#ifndef GLYPHRANE_COMMAND_RUN_CONVERSION_H_
#define GLYPHRANE_COMMAND_RUN_CONVERSION_H_

#include <cstdint>

#include "command/definition_catalog.h"
#include "convert/glyph_definition.h"

// Identifiers of the main dialog's controls that a failure sends the focus to; the
// dialog checks at compile time that they are its own.
constexpr int kFocusImagePath = 1001;   // IDC_IMAGE_PATH
constexpr int kFocusDefinition = 1003;  // IDC_DEFINITION
constexpr int kFocusBlockWidth = 1004;  // IDC_BLOCK_WIDTH
constexpr int kFocusBlockHeight = 1005; // IDC_BLOCK_HEIGHT

struct ConversionFailure {
  const char* message;  // NUL-terminated, code page 932; static storage
  int focusControl;     // the dialog control holding the faulty input
};

// The Convert command's result: success, or the first failure met.
struct ConversionResult {
  bool ok;
  ConversionFailure failure;  // meaningful when !ok
  uint32_t recordCount;       // on success: the records of definitionTable used
};

// Runs one Convert request: checks selection, entry, block width and height, reads
// programFolder\data\<fileName> into definitionTable, loads the picture into
// dibImage (the plug-ins of pluginTable first) and converts it into conversionState,
// the program's instances of program_state.h. On success conversionState.ArtText
// holds the new text. A composed definition path that does
// not fit 259 bytes fails as an unreadable definition file. After a failure at the
// picture no ArtText exists; after an earlier failure the state is untouched.
ConversionResult RunConversion(const char* programFolder, const DefinitionCatalog& catalog,
                               int32_t selection, uint32_t blockWidth, uint32_t blockHeight,
                               const char* picturePath);

// The Convert command once the definition file is known: checks the block width
// and height, reads the definition file at definitionPath, loads the picture and
// converts it, with RunConversion's messages and focus targets. A null
// definitionPath (a path that could not be composed) fails as an unreadable
// definition file. A picturePath longer than 259 bytes fails as an unreadable
// picture. The console converter's --definition-file runs this directly.
ConversionResult RunConversionWithDefinitionFile(const char* definitionPath,
                                                 uint32_t blockWidth, uint32_t blockHeight,
                                                 const char* picturePath);

#endif  // GLYPHRANE_COMMAND_RUN_CONVERSION_H_
