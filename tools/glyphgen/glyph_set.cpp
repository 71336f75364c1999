#include "tools/glyphgen/glyph_set.h"

#include <cstdlib>

namespace {

// One byte value written in decimal, octal or hexadecimal; false unless the whole
// text is one number from 0 to 255.
bool ReadByteValue(const std::string& text, unsigned* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  unsigned long number = std::strtoul(text.c_str(), &end, 0);
  if (*end != '\0' || text[0] == '-' || text[0] == '+' || number > 255) return false;
  *value = static_cast<unsigned>(number);
  return true;
}

bool ReadPart(const std::string& part, bool chosen[256], std::string* error) {
  unsigned first = 0, last = 0;
  if (part == "ascii") {
    first = 0x20;
    last = 0x7E;
  } else if (part == "kana") {
    first = 0xA1;
    last = 0xDF;
  } else {
    // A range's dash can't be the first character, which keeps "-5" an error.
    size_t dash = part.find('-', 1);
    bool read = dash == std::string::npos
                    ? ReadByteValue(part, &first) && (last = first, true)
                    : ReadByteValue(part.substr(0, dash), &first) &&
                          ReadByteValue(part.substr(dash + 1), &last);
    if (!read || first > last) {
      *error = "cannot read the set part \"" + part +
               "\" (use ascii, kana, a byte such as 0x41 or a range such as 0x30-0x39)";
      return false;
    }
  }
  for (unsigned byte = first; byte <= last; ++byte) {
    if (IsDefinableCharacter(static_cast<unsigned char>(byte))) chosen[byte] = true;
  }
  return true;
}

}  // namespace

bool IsDefinableCharacter(unsigned char byte) {
  return (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF);
}

bool ParseGlyphSet(const std::string& parts, std::vector<unsigned char>* characters,
                   std::string* error) {
  bool chosen[256] = {};
  size_t start = 0;
  for (;;) {
    size_t comma = parts.find(',', start);
    std::string part = parts.substr(start, comma == std::string::npos ? comma : comma - start);
    if (!ReadPart(part, chosen, error)) return false;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  characters->clear();
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (chosen[byte]) characters->push_back(static_cast<unsigned char>(byte));
  }
  if (characters->empty()) {
    *error = "the set \"" + parts + "\" holds no character that a definition file can name";
    return false;
  }
  return true;
}
