#ifndef GLYPHRANE_CONVERT_ANSI_TEXT_H_
#define GLYPHRANE_CONVERT_ANSI_TEXT_H_

#include <cstdint>

// Tells whether a byte starts a double-byte character of the code page in use.
using LeadBytePredicate = bool (*)(uint8_t byte);

// The last occurrence of the single-byte character target in the NUL-terminated
// text, walking it character by character so that the second byte of a double-byte
// character (0x5C in "ソ" or "表" under code page 932) is never taken for it; null
// when there is none. A lead byte right before the NUL ends the walk.
const char* FindLastCharacter(const char* text, char target, LeadBytePredicate isLeadByte);
char* FindLastCharacter(char* text, char target, LeadBytePredicate isLeadByte);

// Lead bytes of code page 932 (0x81-0x9F, 0xE0-0xFC), for platform-free code.
bool IsCp932LeadByte(uint8_t byte);

// Lead bytes of the system's ANSI code page (one file per platform).
bool IsAnsiLeadByte(uint8_t byte);

#endif  // GLYPHRANE_CONVERT_ANSI_TEXT_H_
