#ifndef GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_SET_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_SET_H_

#include <string>
#include <vector>

// The characters of a glyph set, as single bytes of code page 932, in ascending
// order and each at most once, so that a set names the same file whatever order
// its parts were given in. Ascending order also puts the space first, which wins
// ties against every other glyph of the same distance.
//
// A set is written as parts separated by commas: "ascii" (0x20-0x7E), "kana" (the
// half-width katakana 0xA1-0xDF), a byte such as "0x41", or a range such as
// "0x30-0x39". Bytes that cannot stand alone as a character of code page 932
// (control bytes, lead bytes of double-byte characters, unassigned bytes) are
// dropped, since a definition file can name only single-byte characters.
// False, with a message in *error, for a part that cannot be read or a set that
// ends up empty.
bool ParseGlyphSet(const std::string& parts, std::vector<unsigned char>* characters,
                   std::string* error);

// True for a byte that is a whole character of code page 932 and can be printed:
// 0x20-0x7E and the half-width katakana 0xA1-0xDF.
bool IsDefinableCharacter(unsigned char byte);

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_GLYPH_SET_H_
