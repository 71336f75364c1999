#ifndef GLYPHRANE_TESTS_DIALOG_DIALOG_HARNESS_H_
#define GLYPHRANE_TESTS_DIALOG_DIALOG_HARNESS_H_

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What one in-process run of the real main dialog left behind.
struct DialogRun {
  INT_PTR result = -2;                // what the dialog box returned
  bool shown = false;                 // the dialog became visible
  std::vector<std::string> messages;  // texts of the "エラー" boxes, in order
};

// Opens the real main dialog (template, procedure, commands) on this thread as the
// program does, with programFolder set to folder and all program state reset.
// Once the dialog is visible, script runs on a second thread and drives it with
// messages; afterwards the dialog is cancelled if still open. Every message box
// with the caption "エラー" is read and closed with OK as soon as it appears.
DialogRun RunDialogInProcess(const std::string& folder,
                             const std::function<void(HWND dialog)>& script = {});

// The text of a window, code page 932.
std::string WindowText(HWND window);

#endif  // GLYPHRANE_TESTS_DIALOG_DIALOG_HARNESS_H_
