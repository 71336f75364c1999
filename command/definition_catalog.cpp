#include "command/definition_catalog.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "convert/ansi_text.h"
#include "platform/directory_walk.h"
#include "platform/path_join.h"

namespace {

constexpr char kPatternTail[] = "data\\*.txt";

// cFileName is NUL-terminated by the platform; the copy is bounded all the same so
// that an entry never holds an unterminated name.
void CopyName(char (&target)[260], const char* source) {
  const size_t length = ::strnlen(source, sizeof(target) - 1);
  std::memcpy(target, source, length);
  target[length] = '\0';
}

void FillEntry(CatalogEntry& entry, const char* foundName) {
  CopyName(entry.fileName, foundName);
  CopyName(entry.displayName, foundName);
  // The walk steps over double-byte characters, so a trail byte never ends a name.
  char* dot = FindLastCharacter(entry.displayName, '.', IsAnsiLeadByte);
  if (dot != nullptr) *dot = '\0';
}

// The entries pattern finds, 0 when none.
uint32_t CountMatches(const char* pattern) {
  uint32_t count = 0;
  ForEachMatch(pattern, [&count](const char*) { return ++count < UINT32_MAX; });
  return count;
}

}  // namespace

void ReleaseDefinitionCatalog(DefinitionCatalog& catalog) {
  std::free(catalog.entries);
  catalog.entries = nullptr;
  catalog.count = 0;
}

bool BuildDefinitionCatalog(const char* programFolder, DefinitionCatalog& catalog) {
  // A folder that leaves no room for the tail is refused before any copy.
  char pattern[kPathBytes];
  if (!JoinPath(pattern, programFolder, kPatternTail)) return true;

  const uint32_t expected = CountMatches(pattern);
  if (expected == 0) return true;
  ReleaseDefinitionCatalog(catalog);

  if (expected > SIZE_MAX / sizeof(CatalogEntry)) return false;
  CatalogEntry* entries =
      static_cast<CatalogEntry*>(std::calloc(expected, sizeof(CatalogEntry)));
  if (entries == nullptr) return false;

  // The folder may have changed since the count: take at most what was counted,
  // and whatever the second search yields.
  uint32_t filled = 0;
  ForEachMatch(pattern, [&](const char* name) {
    FillEntry(entries[filled], name);
    return ++filled < expected;
  });

  if (filled == 0) {
    std::free(entries);
    return true;
  }
  catalog.entries = entries;
  catalog.count = filled;
  return true;
}
