#include <windows.h>
#include <shellapi.h>

#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"
#include "resources/resource.h"

void DropFiles(HDROP drop) {
  // Zero-filled, so that a failed query leaves an empty path, not garbage.
  char path[MAX_PATH] = {};
  ::DragQueryFileA(drop, 0, path, MAX_PATH);
  path[MAX_PATH - 1] = '\0';
  ::SetDlgItemTextA(dialogState.mainDialog, IDC_IMAGE_PATH, path);
  ::DragFinish(drop);
}
