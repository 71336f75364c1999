#include <windows.h>

#include "convert/text_file_buffer.h"
#include "platform/win32_handles.h"

bool TextFileBuffer::ReadWholeFile(const char* path) {
  ScopedFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return false;
  DWORD length = ::GetFileSize(file.get(), nullptr);
  if (!Allocate(length)) return false;
  DWORD got = 0;
  BOOL ok = ::ReadFile(file.get(), data, size, &got, nullptr);
  // A short read (a file that shrank, a folder opened as a file) is a failed read.
  if (!ok || got != size) {
    Release();
    return false;
  }
  return true;
}
