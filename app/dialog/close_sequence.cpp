#include <windows.h>
#include <shellapi.h>

#include "app/decoders.h"
#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"

void CloseSequence() {
  HWND dialog = dialogState.mainDialog;
  ::DragAcceptFiles(dialog, FALSE);
  StopDecoders();
  ::EndDialog(dialog, 0);
}
