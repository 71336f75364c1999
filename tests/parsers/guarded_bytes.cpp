#include "tests/parsers/guarded_bytes.h"

#include <cstring>

GuardedBytes::GuardedBytes(size_t size) { Map(size); }

GuardedBytes::GuardedBytes(const std::string& bytes) {
  Map(bytes.size());
  if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
}
