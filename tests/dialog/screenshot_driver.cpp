// Drives glyphrane.exe for tools/screenshot: starts it, converts a picture as a
// person would (path typed, Convert pressed), says "converted" on standard output,
// waits for a line on standard input and then closes the program.
// usage: screenshot_driver GLYPHRANE_EXE PICTURE
#include <windows.h>

#include <cstdio>

#include "resources/resource.h"
#include "tests/dialog/program_under_test.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: screenshot_driver GLYPHRANE_EXE PICTURE\n", stderr);
    return 2;
  }
  ProgramUnderTest program;
  if (!program.Start(argv[1])) return 1;
  HWND dialog = program.WaitForDialog();
  if (dialog == nullptr) return 1;
  HWND pane = ::GetDlgItem(dialog, IDC_OUTPUT);
  SetTextOf(::GetDlgItem(dialog, IDC_IMAGE_PATH), argv[2]);
  Press(dialog, IDOK);
  if (WaitForTextChange(pane, "").empty()) return 1;
  // Lets the pane paint before the picture is taken.
  ::Sleep(500);
  std::puts("converted");
  std::fflush(stdout);
  char line[16];
  std::fgets(line, sizeof(line), stdin);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  return program.WaitForExit() == 0 ? 0 : 1;
}
