#ifndef GLYPHRANE_APP_DIALOG_ERROR_MESSAGE_H_
#define GLYPHRANE_APP_DIALOG_ERROR_MESSAGE_H_

// Shows text (code page 932) in a modal message box owned by the main dialog, with
// the caption "エラー" and a single OK button; returns when it has been closed.
void ShowErrorMessage(const char* text);

#endif  // GLYPHRANE_APP_DIALOG_ERROR_MESSAGE_H_
