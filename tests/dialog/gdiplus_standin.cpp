// A gdiplus.dll whose start-up fails, loaded by glyphrane.exe in place of the real
// one when placed in its folder with a native-first override. Every other import
// of the program is bound to a function that ends the process with status 3, so
// that a program calling on after the failed start-up shows in its exit status.
#include <windows.h>

extern "C" int WINAPI StandInStartup(void*, const void*, void*) {
  return 1;  // GenericError
}

extern "C" int WINAPI StandInUnexpectedCall() {
  ::ExitProcess(3);
}
