#include <cstring>

#include <windows.h>

#include "app/dialog/clipboard.h"
#include "app/dialog/dialog_commands.h"
#include "app/dialog/error_message.h"
#include "command/messages.h"
#include "command/program_state.h"
#include "convert/conversion_state.h"

void CopyCommand() {
  const char* text = conversionState.ArtText;
  if (text == nullptr) {
    ShowErrorMessage(kMessageNoOutput);
    return;
  }
  // The NUL goes along: CF_TEXT readers expect it inside the block. A clipboard
  // that cannot be had is not reported.
  CopyTextToClipboard(text, static_cast<uint32_t>(std::strlen(text) + 1), CF_TEXT);
}
