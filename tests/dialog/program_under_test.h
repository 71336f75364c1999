#ifndef GLYPHRANE_TESTS_DIALOG_PROGRAM_UNDER_TEST_H_
#define GLYPHRANE_TESTS_DIALOG_PROGRAM_UNDER_TEST_H_

#include <windows.h>

#include <string>

// glyphrane.exe started from a program folder and driven from this process with
// the platform's own calls, as a person at the desktop would drive it. Every
// wait has a time limit; a program still running when the object ends is killed,
// so that a failing test cannot hang the run.
class ProgramUnderTest {
 public:
  // Starts exePath with an ignored picture argument, from a working folder other
  // than its own. False when the process could not be made.
  bool Start(const std::string& exePath);
  ~ProgramUnderTest();

  // The visible main dialog ("Glyphrane"), or null after the time limit.
  HWND WaitForDialog() const;
  // The visible "エラー" message box of the program, or null after the time limit.
  HWND WaitForErrorBox(DWORD milliseconds = 10000) const;
  // Reads a message box's text, presses its OK button and waits until it is gone.
  std::string ReadAndCloseBox(HWND box) const;
  // Any visible top-level window of the program with the given caption, or null.
  HWND FindVisibleWindow(const char* className, const char* caption) const;
  // True when the program has a top-level dialog window, shown or not.
  bool HasDialogWindow(const char* caption) const;
  // A visible top-level window of the program owned by owner, such as the
  // open-file dialog of Browse; null after the time limit.
  HWND WaitForOwnedWindow(HWND owner) const;

  // The control holding the keyboard focus in the program's GUI thread, once
  // it equals expected or the time limit has passed.
  HWND WaitForFocus(HWND expected) const;

  // The exit status once the program has ended, or -1 after the time limit.
  long WaitForExit(DWORD milliseconds = 10000);

  DWORD processId() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_ = {};
};

// Texts of windows in other processes, code page 932.
std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& text);

// Presses a button of the dialog as a click would, without waiting for what it
// starts (a message box would otherwise block this process).
void Press(HWND dialog, int id);

// Waits until the window's text differs from before; the new text, or before.
std::string WaitForTextChange(HWND window, const std::string& before);

// The CF_TEXT block on the clipboard, all of its bytes, or "<none>".
std::string ClipboardText();

#endif  // GLYPHRANE_TESTS_DIALOG_PROGRAM_UNDER_TEST_H_
