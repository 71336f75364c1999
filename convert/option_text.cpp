#include "convert/option_text.h"

#include <cstdlib>
#include <cstring>

bool SplitBlockSize(const char* text, std::string* width, std::string* height) {
  const char* cross = std::strchr(text, 'x');
  if (cross == nullptr) return false;
  width->assign(text, cross);
  height->assign(cross + 1);
  return true;
}

bool ReadWholeNumber(const char* text, int32_t low, int32_t high, int32_t* value) {
  // strtol alone would take a sign and leading spaces.
  if (text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (*end != '\0' || number < low || number > high) return false;
  *value = static_cast<int32_t>(number);
  return true;
}
