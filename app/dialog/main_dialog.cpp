#include "app/dialog/main_dialog.h"

#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"
#include "app/dialog/output_layout.h"
#include "resources/resource.h"

namespace {

void DispatchCommand(WPARAM wParam) {
  // Only plain command notifications (a click, Enter, Escape); edit and list
  // notifications carry other codes.
  if (HIWORD(wParam) != 0) return;
  switch (LOWORD(wParam)) {
    case IDOK: ConvertCommand(); break;
    case IDCANCEL: CancelCommand(); break;
    case IDC_BROWSE: BrowseCommand(); break;
    case IDC_COPY: CopyCommand(); break;
    default: break;
  }
}

void HandleMessage(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: InitMainDialog(dialog); break;
    case WM_SIZE: LayOutOutputPane(); break;
    case WM_COMMAND: DispatchCommand(wParam); break;
    case WM_DROPFILES: DropFiles(reinterpret_cast<HDROP>(wParam)); break;
    case WM_CLOSE: CloseSequence(); break;
    default: break;
  }
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  // An exception must not cross the platform's frames; none is expected, so one
  // that does arrive only ends the handling of this message.
  try {
    HandleMessage(dialog, message, wParam);
  } catch (...) {
  }
  return FALSE;
}

INT_PTR RunMainDialog() {
  return ::DialogBoxParamA(dialogState.appInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                           MainDialogProc, 0);
}
