#include <windows.h>

#include "convert/text_file_buffer.h"

bool TextFileBuffer::ReadWholeFile(const char* path) {
  HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD length = ::GetFileSize(file, nullptr);
  if (!Allocate(length)) {
    ::CloseHandle(file);
    return false;
  }
  DWORD got = 0;
  BOOL ok = ::ReadFile(file, data, size, &got, nullptr);
  ::CloseHandle(file);
  // A short read (a file that shrank, a folder opened as a file) is a failed read.
  if (!ok || got != size) {
    Release();
    return false;
  }
  return true;
}
