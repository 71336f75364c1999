// Run once before the window tests, with its output sent nowhere. Under Wine the
// first program that needs the desktop starts the desktop process, which inherits
// that program's error stream and keeps it open for the whole session; a test run
// reading that stream would then wait for it forever.
#include <windows.h>

int main() {
  HWND window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (window != nullptr) ::DestroyWindow(window);
  return ::GetDesktopWindow() != nullptr ? 0 : 1;
}
