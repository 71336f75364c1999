#include "app/dialog/output_layout.h"

#include <windows.h>

#include "app/dialog/dialog_state.h"
#include "resources/resource.h"

void CaptureOutputMargins() {
  HWND dialog = dialogState.mainDialog;
  RECT client;
  ::GetClientRect(dialog, &client);
  POINT topLeft = {client.left, client.top};
  POINT bottomRight = {client.right, client.bottom};
  ::ClientToScreen(dialog, &topLeft);
  ::ClientToScreen(dialog, &bottomRight);
  RECT pane;
  ::GetWindowRect(::GetDlgItem(dialog, IDC_OUTPUT), &pane);
  dialogState.outputMargins = {pane.left - topLeft.x, pane.top - topLeft.y,
                               pane.right - bottomRight.x, pane.bottom - bottomRight.y};
}

void LayOutOutputPane() {
  HWND dialog = dialogState.mainDialog;
  if (dialog == nullptr) return;
  RECT client;
  ::GetClientRect(dialog, &client);
  const OutputMargins& m = dialogState.outputMargins;
  int left = client.left + m.left;
  int top = client.top + m.top;
  // A window smaller than the margins would give a negative size, which the
  // platform only clamps by its own rules; an empty pane is meant.
  int width = client.right + m.right - left;
  int height = client.bottom + m.bottom - top;
  ::MoveWindow(::GetDlgItem(dialog, IDC_OUTPUT), left, top, width > 0 ? width : 0,
               height > 0 ? height : 0, TRUE);
}
