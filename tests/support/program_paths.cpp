#include "tests/support/program_paths.h"

#include <windows.h>

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path, length < MAX_PATH ? length : 0);
  // The build folder holds no double-byte names, so a plain search serves here.
  return program.substr(0, program.find_last_of('\\'));
}

std::string BuildOutputPath(const char* hostPath) {
  std::string path = std::string("Z:") + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}
