#ifndef GLYPHRANE_APP_DECODERS_H_
#define GLYPHRANE_APP_DECODERS_H_

#include <windows.h>

// The token GdiplusStartup returned; given back to GdiplusShutdown.
extern ULONG_PTR gdiplusToken;

// Starts GDI+ (version 1, its background thread allowed) and then loads the
// plug-ins of programFolder. False, with no plug-in loaded, when GDI+ does not
// start; nothing then needs stopping.
// REQUIRES: InitProgramFolder has run.
bool StartDecoders();

// Shuts GDI+ down, then unloads the plug-ins.
// REQUIRES: StartDecoders returned true, and no picture decode is under way.
void StopDecoders();

#endif  // GLYPHRANE_APP_DECODERS_H_
