#include "app/program_folder.h"

#include <windows.h>

#include <cstring>

#include "convert/ansi_text.h"

char modulePath[260];
char programFolder[260];

void InitProgramFolder() {
  // Asking for one byte less than the buffer keeps its last byte NUL even where
  // the platform truncates without terminating.
  ::GetModuleFileNameA(nullptr, modulePath, sizeof(modulePath) - 1);
  std::memcpy(programFolder, modulePath, sizeof(programFolder));
  char* lastBackslash = FindLastCharacter(programFolder, '\\', IsAnsiLeadByte);
  if (lastBackslash != nullptr) *lastBackslash = '\0';
}
