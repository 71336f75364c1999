#ifndef GLYPHRANE_CONVERT_DEFINITION_LOADER_H_
#define GLYPHRANE_CONVERT_DEFINITION_LOADER_H_

#include <cstdint>

#include "convert/glyph_definition.h"
#include "convert/text_file_buffer.h"

// Reads the definition file at path (ANSI code page) into table, from its first
// entry on, and returns the number of entries that its "#data" markers opened,
// at most capacity; 0 when the file cannot be read or holds no marker. Fields a
// record does not supply keep what the entry held before.
// REQUIRES: table has at least capacity entries, capacity >= 1.
uint32_t LoadDefinitions(const char* path, GlyphDefinition* table, uint32_t capacity);

// The parsing half of LoadDefinitions, over bytes already in memory (from the
// buffer's cursor on). Same result and same effect on table.
uint32_t ParseDefinitions(TextFileBuffer& file, GlyphDefinition* table, uint32_t capacity);

// Reads one integer at *cursor as strtol with base 0 does in the C locale, clamped
// to the signed 32-bit range. Moves *cursor past the number; when no number can be
// read there, returns 0 and leaves *cursor where it was. Gives the same result on
// every platform, whatever the width of long.
int32_t ReadDefinitionNumber(const char** cursor);

#endif  // GLYPHRANE_CONVERT_DEFINITION_LOADER_H_
