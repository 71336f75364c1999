#include <windows.h>

#include "app/dialog/dialog_state.h"
#include "app/dialog/main_dialog.h"
#include "app/program_folder.h"

// The command line and the show state are not used: the dialog decides its own
// placement, and a path argument is ignored.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  dialogState.appInstance = instance;
  InitProgramFolder();
  return static_cast<int>(RunMainDialog());
}
