#include "tests/parsers/guarded_bytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

void GuardedBytes::Map(size_t size) {
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const size_t pages = (size + page - 1) / page + 1;
  void* base = ::mmap(nullptr, pages * page, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  // Without its guard the helper would let every over-read pass: stop at once.
  if (base == MAP_FAILED) std::abort();
  base_ = static_cast<uint8_t*>(base);
  mapped_ = pages * page;
  if (::mprotect(base_ + mapped_ - page, page, PROT_NONE) != 0) std::abort();
  data_ = base_ + mapped_ - page - size;
  size_ = size;
}

GuardedBytes::~GuardedBytes() { ::munmap(base_, mapped_); }
