#include "convert/ansi_text.h"

const char* FindLastCharacter(const char* text, char target, LeadBytePredicate isLeadByte) {
  const char* found = nullptr;
  for (const char* p = text; *p != '\0'; ++p) {
    if (isLeadByte(static_cast<uint8_t>(*p))) {
      if (p[1] == '\0') break;
      ++p;  // the trail byte is part of this character
    } else if (*p == target) {
      found = p;
    }
  }
  return found;
}

char* FindLastCharacter(char* text, char target, LeadBytePredicate isLeadByte) {
  return const_cast<char*>(
      FindLastCharacter(static_cast<const char*>(text), target, isLeadByte));
}

bool IsCp932LeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
