#include "convert/definition_loader.h"

#include <cstring>

namespace {

constexpr uint32_t kLineBufferSize = 2048;
constexpr char kRecordMarker[] = "#data";

// strtol's white space in the C locale.
inline bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// Reads `count` values of a number line into fields, one after the other.
void ReadNumbers(const char* line, int32_t* const* fields, int count) {
  for (int i = 0; i < count; ++i) *fields[i] = ReadDefinitionNumber(&line);
}

void TakeRecordLine(GlyphDefinition& entry, uint32_t lineNumber, const char* line) {
  switch (lineNumber) {
    case 1:
      // Only the low byte: the upper bytes keep what the entry held.
      entry.character = static_cast<int32_t>((static_cast<uint32_t>(entry.character) & ~0xFFu) |
                                             static_cast<uint8_t>(line[0]));
      break;
    case 2: {
      int32_t* const fields[] = {&entry.spare, &entry.blue, &entry.green, &entry.red};
      ReadNumbers(line, fields, 4);
      break;
    }
    case 3:
    case 4:
    case 5: {
      int32_t* row = entry.edge + 3 * (lineNumber - 3);
      int32_t* const fields[] = {row, row + 1, row + 2};
      ReadNumbers(line, fields, 3);
      break;
    }
    default:
      break;  // free text after a record's fifth line
  }
}

}  // namespace

int32_t ReadDefinitionNumber(const char** cursor) {
  const char* p = *cursor;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');

  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2]) < 16) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;
  }
  if (DigitValue(*p) >= base) return 0;  // no number here: the cursor stays

  // Accumulate the magnitude, stopping the growth once it passes the 32-bit range
  // so that any number of digits is read without overflow.
  constexpr uint64_t kBeyond = uint64_t{1} << 32;
  uint64_t magnitude = 0;
  for (int digit; (digit = DigitValue(*p)) < base; ++p) {
    if (magnitude < kBeyond) magnitude = magnitude * base + digit;
  }
  *cursor = p;
  if (negative) return magnitude >= uint64_t{1} << 31 ? INT32_MIN
                                                      : -static_cast<int32_t>(magnitude);
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

uint32_t ParseDefinitions(TextFileBuffer& file, GlyphDefinition* table, uint32_t capacity) {
  char line[kLineBufferSize];
  uint32_t recordLine = 0;  // 0: no record open
  uint32_t finished = 0;
  GlyphDefinition* current = table;

  while (file.ReadLine(line, kLineBufferSize) != 0) {
    if (recordLine != 0) {
      TakeRecordLine(*current, recordLine, line);
      ++recordLine;
    }
    if (std::strcmp(line, kRecordMarker) == 0) {
      if (recordLine != 0) {
        ++finished;
        ++current;
        if (finished == capacity) {
          recordLine = 0;
          break;
        }
      }
      recordLine = 1;
    }
  }
  return finished + (recordLine != 0 ? 1 : 0);
}

uint32_t LoadDefinitions(const char* path, GlyphDefinition* table, uint32_t capacity) {
  TextFileBuffer file;
  if (!file.ReadWholeFile(path)) return 0;
  return ParseDefinitions(file, table, capacity);
}
