#include "tests/parsers/guarded_bytes.h"

#include <windows.h>

#include <cstdlib>

void GuardedBytes::Map(size_t size) {
  SYSTEM_INFO system;
  ::GetSystemInfo(&system);
  const size_t page = system.dwPageSize;
  const size_t pages = (size + page - 1) / page + 1;
  base_ = static_cast<uint8_t*>(
      ::VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  // Without its guard the helper would let every over-read pass: stop at once.
  if (base_ == nullptr) std::abort();
  mapped_ = pages * page;
  DWORD old;
  if (!::VirtualProtect(base_ + mapped_ - page, page, PAGE_NOACCESS, &old)) std::abort();
  data_ = base_ + mapped_ - page - size;
  size_ = size;
}

GuardedBytes::~GuardedBytes() { ::VirtualFree(base_, 0, MEM_RELEASE); }
