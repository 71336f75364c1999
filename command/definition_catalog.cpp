#include "command/definition_catalog.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "convert/ansi_text.h"

namespace {

constexpr char kPatternTail[] = "\\data\\*.txt";
constexpr size_t kPathBufferSize = MAX_PATH;

// Formats programFolder\data\*.txt into pattern. False, with nothing written, when
// the folder leaves no room in the buffer for the tail and its NUL: such a folder
// is refused before any copy, so no byte lands past the buffer.
bool FormatSearchPattern(const char* programFolder, char (&pattern)[kPathBufferSize]) {
  const size_t folderLength = ::strnlen(programFolder, kPathBufferSize);
  if (folderLength + sizeof(kPatternTail) > kPathBufferSize) return false;
  std::memcpy(pattern, programFolder, folderLength);
  std::memcpy(pattern + folderLength, kPatternTail, sizeof(kPatternTail));
  return true;
}

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

uint32_t CountMatches(HANDLE search, WIN32_FIND_DATAA& found) {
  uint32_t count = 1;
  while (count < UINT32_MAX && ::FindNextFileA(search, &found)) ++count;
  return count;
}

}  // namespace

void ReleaseDefinitionCatalog(DefinitionCatalog& catalog) {
  std::free(catalog.entries);
  catalog.entries = nullptr;
  catalog.count = 0;
}

bool BuildDefinitionCatalog(const char* programFolder, DefinitionCatalog& catalog) {
  char pattern[kPathBufferSize];
  if (!FormatSearchPattern(programFolder, pattern)) return true;

  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return true;

  ReleaseDefinitionCatalog(catalog);
  const uint32_t expected = CountMatches(search, found);
  ::FindClose(search);

  if (expected > SIZE_MAX / sizeof(CatalogEntry)) return false;
  CatalogEntry* entries =
      static_cast<CatalogEntry*>(std::calloc(expected, sizeof(CatalogEntry)));
  if (entries == nullptr) return false;

  // The folder may have changed since the count: take at most what was counted,
  // and whatever the second search yields.
  uint32_t filled = 0;
  search = ::FindFirstFileA(pattern, &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      FillEntry(entries[filled], found.cFileName);
      ++filled;
    } while (filled < expected && ::FindNextFileA(search, &found));
    ::FindClose(search);
  }

  if (filled == 0) {
    std::free(entries);
    return true;
  }
  catalog.entries = entries;
  catalog.count = filled;
  return true;
}
