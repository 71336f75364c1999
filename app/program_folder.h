#ifndef GLYPHRANE_APP_PROGRAM_FOLDER_H_
#define GLYPHRANE_APP_PROGRAM_FOLDER_H_

// The program file's full path, NUL-terminated; zero-filled until InitProgramFolder.
extern char modulePath[260];
// modulePath cut at its last backslash: the program's folder without a trailing
// backslash. The definition catalogue, the Convert command and the plug-in host
// build their paths from it.
extern char programFolder[260];

// Fills modulePath (at most 259 bytes, so the last byte stays NUL) and
// programFolder. The backslash search steps over double-byte characters of the
// ANSI code page, so the trail byte of "ソ" or "表" (0x5C) never cuts the path;
// a path without a backslash stays whole.
void InitProgramFolder();

#endif  // GLYPHRANE_APP_PROGRAM_FOLDER_H_
