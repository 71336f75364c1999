#include "command/block_field.h"

uint32_t ReadBlockField(const char* text) {
  const char* p = text;
  while (*p == ' ') ++p;
  // 64 bits hold any 32-bit value times ten plus a digit, so the test for
  // "too large" happens before anything can wrap.
  uint64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + static_cast<uint64_t>(*p - '0');
    if (value > UINT32_MAX) return 0;
  }
  return static_cast<uint32_t>(value);
}
