#include <windows.h>
#include <shellapi.h>

#include "app/decoders.h"
#include "app/dialog/definition_list.h"
#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"
#include "app/dialog/error_message.h"
#include "app/dialog/output_layout.h"
#include "command/definition_catalog.h"
#include "command/messages.h"
#include "command/program_state.h"
#include "resources/resource.h"

namespace {

HFONT CreateOutputFont() {
  // A cell height, not an em height: the text art is laid out in fixed cells.
  return ::CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                       0, "ＭＳ ゴシック");
}

void SetDialogIcon(HWND dialog, WPARAM kind, int size) {
  HANDLE icon = ::LoadImageA(dialogState.appInstance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                             size, size, LR_DEFAULTCOLOR);
  ::SendMessageA(dialog, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
}

// The catalogue step and its two start-up failures. False when the dialog is to
// close. The close request is posted, not sent, so that the close sequence runs
// from the message loop after the initialisation has returned, not from inside
// the dialog's own creation.
bool FillDefinitions(HWND dialog) {
  const char* failure = nullptr;
  if (!BuildDefinitionList()) {
    failure = kMessageCatalogFailed;
  } else if (definitionCatalog.count == 0) {
    failure = kMessageNoDefinitions;
  }
  if (failure == nullptr) return true;
  ShowErrorMessage(failure);
  ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  return false;
}

}  // namespace

void InitMainDialog(HWND dialog) {
  dialogState.mainDialog = dialog;
  if (!StartDecoders()) {
    // Nothing has started, so nothing needs stopping: the dialog ends unseen.
    ShowErrorMessage(kMessageDecodersFailed);
    ::EndDialog(dialog, 0);
    return;
  }
  dialogState.outputFont = CreateOutputFont();
  SetDialogIcon(dialog, ICON_BIG, 32);
  SetDialogIcon(dialog, ICON_SMALL, 16);
  ::SendDlgItemMessageA(dialog, IDC_OUTPUT, WM_SETFONT,
                        reinterpret_cast<WPARAM>(dialogState.outputFont), TRUE);
  if (!FillDefinitions(dialog)) return;
  ::SendDlgItemMessageA(dialog, IDC_DEFINITION, CB_SETCURSEL, 0, 0);
  ::SetDlgItemTextA(dialog, IDC_BLOCK_WIDTH, "3");
  ::SetDlgItemTextA(dialog, IDC_BLOCK_HEIGHT, "6");
  CaptureOutputMargins();
  ::DragAcceptFiles(dialog, TRUE);
}
