#ifndef GLYPHRANE_COMMAND_PROGRAM_STATE_H_
#define GLYPHRANE_COMMAND_PROGRAM_STATE_H_

#include "command/definition_catalog.h"
#include "convert/conversion_state.h"
#include "convert/glyph_definition.h"
#include "image/plugin_host.h"

// The program's one instance of each subsystem's state, alive for the whole run.
// The engine, the catalogue and the plug-in host take their state as a parameter;
// the Convert command, the dialog and the console converter pass these.

// Loaded anew by every Convert; zero at start.
extern GlyphDefinition definitionTable[kDefinitionTableCapacity];
// The grid and the text of the last picture converted.
extern ConversionState conversionState;
// Built once at start-up.
extern DefinitionCatalog definitionCatalog;
// Loaded at start-up, unloaded at close.
extern PluginTable pluginTable;

// Releases what the instances above and the image holder own and returns them to
// their state at program start, so that the program can start over in the same
// process.
void ResetProgramState();

#endif  // GLYPHRANE_COMMAND_PROGRAM_STATE_H_
