#include <windows.h>

#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"

// Sent, not posted: the close sequence has run when the command returns.
void CancelCommand() {
  ::SendMessageA(dialogState.mainDialog, WM_CLOSE, 0, 0);
}
