// Definition files of any bytes through the parser, and every line's numbers read
// both by the parser's own reader and by the C library's strtoll, which the rules
// follow: the two must agree on each value and on where each number ends.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "convert/definition_loader.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& line) {
  std::fprintf(stderr, "definition parser: %s in the line \"%s\"\n", what, line.c_str());
  std::abort();
}

// strtoll with base 0, clamped to the signed 32-bit range: the rules as written.
int32_t LibraryReading(const char* text, const char** end) {
  char* stop = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &stop, 0);
  *end = stop;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

void CompareNumberReaders(const std::string& line) {
  const char* ours = line.c_str();
  for (;;) {
    const char* before = ours;
    const char* theirs = nullptr;
    const int32_t expected = LibraryReading(before, &theirs);
    const int32_t value = ReadDefinitionNumber(&ours);
    if (value != expected) Fail("a value differs from strtoll's", line);
    if (ours != theirs) Fail("a number ends elsewhere than strtoll's", line);
    if (ours == before) return;  // no number here: the rest of the line reads as 0
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  // Capacities from 1 (the cut-off path) to the table's full 256.
  const uint32_t capacity = size == 0 ? 1 : 1 + data[0] % kDefinitionTableCapacity;
  TextFileBuffer buffer;
  if (!buffer.Allocate(static_cast<uint32_t>(size))) std::abort();
  if (size != 0) std::memcpy(buffer.data, data, size);
  std::vector<GlyphDefinition> table(capacity);
  if (ParseDefinitions(buffer, table.data(), capacity) > capacity) {
    Fail("more records than the capacity", "");
  }

  // Lines as the parser sees them: no CR, LF or NUL inside.
  std::string line;
  for (size_t i = 0; i <= size; ++i) {
    const char c = i < size ? static_cast<char>(data[i]) : '\n';
    if (c == '\n' || c == '\r' || c == '\0') {
      CompareNumberReaders(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  return 0;
}
