#ifndef GLYPHRANE_APP_DIALOG_DEFINITION_LIST_H_
#define GLYPHRANE_APP_DIALOG_DEFINITION_LIST_H_

#include <windows.h>

#include "command/definition_catalog.h"

// Inserts the display name of every catalogue entry into the list at the entry's
// own index. The list carries CBS_SORT, but an insertion at an explicit position
// is not sorted, so list item i stays catalogue entry i, which Convert relies on.
void FillDefinitionList(HWND list, const DefinitionCatalog& catalog);

// The dialog's catalogue step: searches programFolder\data into definitionCatalog
// and fills IDC_DEFINITION. False only when the catalogue could not be built.
bool BuildDefinitionList();

#endif  // GLYPHRANE_APP_DIALOG_DEFINITION_LIST_H_
