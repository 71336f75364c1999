#include "app/dialog/error_message.h"

#include <windows.h>

#include "app/dialog/dialog_state.h"

void ShowErrorMessage(const char* text) {
  ::MessageBoxA(dialogState.mainDialog, text, "エラー", MB_OK);
}
