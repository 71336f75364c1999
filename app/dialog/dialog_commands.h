#ifndef GLYPHRANE_APP_DIALOG_DIALOG_COMMANDS_H_
#define GLYPHRANE_APP_DIALOG_DIALOG_COMMANDS_H_

#include <windows.h>
#include <shellapi.h>

// The handlers MainDialogProc dispatches to, one per message or command. Each
// addresses the dialog through dialogState.mainDialog.

// WM_INITDIALOG: decoders, font, icons, definition list, defaults, margins, drop.
void InitMainDialog(HWND dialog);

// IDOK: RunConversion on the four inputs; a failure is reported and the focus
// moved to the faulty control, a success puts the text into the output pane.
void ConvertCommand();

// IDC_BROWSE: the open-file dialog; a chosen file's path goes into the path field.
void BrowseCommand();

// IDC_COPY: the last conversion's text onto the clipboard, or a message when
// there is none.
void CopyCommand();

// IDCANCEL (Cancel button, Escape): the close sequence, through WM_CLOSE.
void CancelCommand();

// WM_DROPFILES: the first dropped file's path goes into the path field; releases
// drop.
void DropFiles(HDROP drop);

// WM_CLOSE: dropping off, decoders stopped, dialog ended with 0.
void CloseSequence();

#endif  // GLYPHRANE_APP_DIALOG_DIALOG_COMMANDS_H_
