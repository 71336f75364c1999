#ifndef GLYPHRANE_CONVERT_OPTION_TEXT_H_
#define GLYPHRANE_CONVERT_OPTION_TEXT_H_

#include <cstdint>
#include <string>

// The numbers that the programs' command-line options carry, read one way in the
// console converter, the glyph generator and the art dump tool.

// A block size written "WxH": the text before the first 'x' and the text after it.
// False, with both left as they were, when there is no 'x'. Each side is then
// read by the program's own rule for a side.
bool SplitBlockSize(const char* text, std::string* width, std::string* height);

// A whole decimal number from low to high and nothing else: no sign, no space,
// nothing after the digits. False, with *value unchanged, otherwise.
bool ReadWholeNumber(const char* text, int32_t low, int32_t high, int32_t* value);

#endif  // GLYPHRANE_CONVERT_OPTION_TEXT_H_
