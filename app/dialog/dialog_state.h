#ifndef GLYPHRANE_APP_DIALOG_DIALOG_STATE_H_
#define GLYPHRANE_APP_DIALOG_DIALOG_STATE_H_

#include <windows.h>

// The output pane's distances from the edges of the dialog's client area, in
// pixels: pane edge minus client edge on each side, so right and bottom are
// negative with the template's layout.
struct OutputMargins {
  int left;
  int top;
  int right;
  int bottom;
};

// The main dialog's state: one record for the whole run.
struct DialogState {
  HINSTANCE appInstance;        // set by the entry point before anything else
  HWND mainDialog;              // set at the start of WM_INITDIALOG; null before
  HFONT outputFont;             // the pane's font; lives until the process ends
  OutputMargins outputMargins;  // zero until captured at initialisation
};

extern DialogState dialogState;

#endif  // GLYPHRANE_APP_DIALOG_DIALOG_STATE_H_
