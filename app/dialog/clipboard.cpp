#include "app/dialog/clipboard.h"

#include <cstring>

#include <windows.h>

namespace {

// A movable block holding a copy of the bytes, or null.
HGLOBAL CopyToGlobalBlock(const char* text, uint32_t size) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr) return nullptr;
  void* target = ::GlobalLock(block);
  if (target == nullptr) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, text, size);
  ::GlobalUnlock(block);
  return block;
}

}  // namespace

int CopyTextToClipboard(const char* text, uint32_t size, unsigned int format) {
  if (text == nullptr || size == 0) return 0;
  HGLOBAL block = CopyToGlobalBlock(text, size);
  if (block == nullptr) return 0;
  if (!::OpenClipboard(nullptr)) {
    ::GlobalFree(block);
    return 0;
  }
  ::EmptyClipboard();
  // Only an accepted block belongs to the clipboard; a refused one is still ours.
  bool placed = ::SetClipboardData(format, block) != nullptr;
  ::CloseClipboard();
  if (!placed) ::GlobalFree(block);
  return placed ? 1 : 0;
}
