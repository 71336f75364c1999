#ifndef GLYPHRANE_COMMAND_DEFINITION_CATALOG_H_
#define GLYPHRANE_COMMAND_DEFINITION_CATALOG_H_

#include <cstdint>

// One definition file of the data folder. 520 bytes, code page 932.
struct CatalogEntry {
  char fileName[260];     // name with extension, no folder
  char displayName[260];  // fileName without its last dot and what follows
};

// The definition files found, in directory search order; entry i is item i of the
// definition list. Built once at start-up.
struct DefinitionCatalog {
  CatalogEntry* entries = nullptr;
  uint32_t count = 0;
};

// Searches programFolder\data\*.txt into catalog (no window involved): every entry
// the search returns, folders included, in search order. False only when the
// memory for the entries cannot be had (catalog then empty). True otherwise; when
// nothing is found, the data folder is missing, or programFolder is longer than
// the 248 bytes the 260-byte search pattern leaves it, the catalog is left as it
// was, which at start-up means count 0. Display names lose the last dot and what
// follows, the dot being searched over double-byte characters of the ANSI code page.
bool BuildDefinitionCatalog(const char* programFolder, DefinitionCatalog& catalog);

// Frees the entries and leaves catalog empty.
void ReleaseDefinitionCatalog(DefinitionCatalog& catalog);

#endif  // GLYPHRANE_COMMAND_DEFINITION_CATALOG_H_
