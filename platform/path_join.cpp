#include "platform/path_join.h"

#include <cstring>

bool JoinPath(char (&path)[kPathBytes], const char* folder, const char* name) {
  const size_t folderLength = ::strnlen(folder, kPathBytes);
  const size_t nameLength = ::strnlen(name, kPathBytes);
  if (folderLength + 1 + nameLength + 1 > kPathBytes) return false;
  std::memcpy(path, folder, folderLength);
  path[folderLength] = '\\';
  std::memcpy(path + folderLength + 1, name, nameLength);
  path[folderLength + 1 + nameLength] = '\0';
  return true;
}
