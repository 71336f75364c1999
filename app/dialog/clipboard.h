#ifndef GLYPHRANE_APP_DIALOG_CLIPBOARD_H_
#define GLYPHRANE_APP_DIALOG_CLIPBOARD_H_

#include <cstdint>

// Places the size bytes at text on the clipboard under format, replacing what it
// held. 1 when they were placed; 0 when text is null, size is 0, the memory
// cannot be had, or the clipboard cannot be opened or refuses the data. On 0
// nothing of this call is left behind.
int CopyTextToClipboard(const char* text, uint32_t size, unsigned int format);

#endif  // GLYPHRANE_APP_DIALOG_CLIPBOARD_H_
