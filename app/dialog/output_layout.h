#ifndef GLYPHRANE_APP_DIALOG_OUTPUT_LAYOUT_H_
#define GLYPHRANE_APP_DIALOG_OUTPUT_LAYOUT_H_

// Placement of the output pane: it keeps its top-left position and its distances
// from the right and bottom edges of the dialog; the top row never moves.

// Records the pane's current offsets from the client area's edges in
// dialogState.outputMargins.
void CaptureOutputMargins();

// Moves the pane to the client rectangle shrunk by outputMargins. No effect before
// mainDialog is recorded. A client area smaller than the margins gives the pane no
// visible area (width or height 0), never a negative size.
void LayOutOutputPane();

#endif  // GLYPHRANE_APP_DIALOG_OUTPUT_LAYOUT_H_
