#include "command/program_state.h"

#include <cstring>

#include "image/dib_image.h"

GlyphDefinition definitionTable[kDefinitionTableCapacity];
ConversionState conversionState;
DefinitionCatalog definitionCatalog;
PluginTable pluginTable;

void ResetProgramState() {
  dibImage.Reset();
  ReleaseConversion(conversionState);
  ReleaseDefinitionCatalog(definitionCatalog);
  UnloadPlugins(pluginTable);
  std::memset(definitionTable, 0, sizeof definitionTable);
}
