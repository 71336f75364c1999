#include <windows.h>

#include "app/dialog/dialog_commands.h"
#include "app/dialog/dialog_state.h"
#include "app/dialog/error_message.h"
#include "app/program_folder.h"
#include "command/definition_catalog.h"
#include "command/program_state.h"
#include "command/run_conversion.h"
#include "convert/conversion_state.h"
#include "resources/resource.h"

// The command names its focus targets without knowing the dialog's resources.
static_assert(kFocusImagePath == IDC_IMAGE_PATH, "focus target of a picture fault");
static_assert(kFocusDefinition == IDC_DEFINITION, "focus target of a definition fault");
static_assert(kFocusBlockWidth == IDC_BLOCK_WIDTH, "focus target of a width fault");
static_assert(kFocusBlockHeight == IDC_BLOCK_HEIGHT, "focus target of a height fault");

void ConvertCommand() {
  HWND dialog = dialogState.mainDialog;
  // CB_ERR (-1) when nothing is selected; RunConversion refuses it.
  int32_t selection =
      static_cast<int32_t>(::SendDlgItemMessageA(dialog, IDC_DEFINITION, CB_GETCURSEL, 0, 0));
  uint32_t blockWidth = ::GetDlgItemInt(dialog, IDC_BLOCK_WIDTH, nullptr, FALSE);
  uint32_t blockHeight = ::GetDlgItemInt(dialog, IDC_BLOCK_HEIGHT, nullptr, FALSE);
  // A longer path is cut after 259 bytes and then normally fails to load.
  char picturePath[MAX_PATH] = {};
  ::GetDlgItemTextA(dialog, IDC_IMAGE_PATH, picturePath, MAX_PATH);

  ConversionResult result = RunConversion(programFolder, definitionCatalog, selection,
                                          blockWidth, blockHeight, picturePath);
  if (!result.ok) {
    ShowErrorMessage(result.failure.message);
    ::SetFocus(::GetDlgItem(dialog, result.failure.focusControl));
    return;
  }
  ::SetDlgItemTextA(dialog, IDC_OUTPUT, conversionState.ArtText);
}
