#ifndef GLYPHRANE_APP_DIALOG_MAIN_DIALOG_H_
#define GLYPHRANE_APP_DIALOG_MAIN_DIALOG_H_

#include <windows.h>

// The dialog procedure of IDD_MAIN. Returns FALSE for every message so that the
// platform's default dialog handling always follows (for WM_INITDIALOG: no default
// focus is set). No exception leaves it.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Opens IDD_MAIN of dialogState.appInstance as a modal dialog without owner and
// returns what DialogBoxParamA returns: 0 once the dialog has ended, -1 when it
// could not be created. REQUIRES: appInstance and programFolder are set.
INT_PTR RunMainDialog();

#endif  // GLYPHRANE_APP_DIALOG_MAIN_DIALOG_H_
