#ifndef GLYPHRANE_COMMAND_BLOCK_FIELD_H_
#define GLYPHRANE_COMMAND_BLOCK_FIELD_H_

#include <cstdint>

// Reads a block field's text as GetDlgItemInt does with signed reading off:
// leading spaces skipped, decimal digits up to the first non-digit; no digits or a
// value above 4294967295 reads as 0.
uint32_t ReadBlockField(const char* text);

#endif  // GLYPHRANE_COMMAND_BLOCK_FIELD_H_
