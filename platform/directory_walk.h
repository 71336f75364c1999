#ifndef GLYPHRANE_PLATFORM_DIRECTORY_WALK_H_
#define GLYPHRANE_PLATFORM_DIRECTORY_WALK_H_

#include <windows.h>

#include "platform/win32_handles.h"

// One directory search over pattern, in the order the platform returns: calls
// visit with each entry's NUL-terminated file name until it returns false. False
// when the search finds nothing (or cannot start).
template <typename Visit>
bool ForEachMatch(const char* pattern, Visit visit) {
  WIN32_FIND_DATAA entry;
  ScopedFind search(::FindFirstFileA(pattern, &entry));
  if (!search.ok()) return false;
  do {
    if (!visit(static_cast<const char*>(entry.cFileName))) break;
  } while (::FindNextFileA(search.get(), &entry));
  return true;
}

#endif  // GLYPHRANE_PLATFORM_DIRECTORY_WALK_H_
