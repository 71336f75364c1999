#include "app/dialog/definition_list.h"

#include "app/dialog/dialog_state.h"
#include "app/program_folder.h"
#include "command/program_state.h"
#include "resources/resource.h"

void FillDefinitionList(HWND list, const DefinitionCatalog& catalog) {
  for (uint32_t i = 0; i < catalog.count; ++i) {
    ::SendMessageA(list, CB_INSERTSTRING, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(catalog.entries[i].displayName));
  }
}

bool BuildDefinitionList() {
  if (!BuildDefinitionCatalog(programFolder, definitionCatalog)) return false;
  FillDefinitionList(::GetDlgItem(dialogState.mainDialog, IDC_DEFINITION), definitionCatalog);
  return true;
}
