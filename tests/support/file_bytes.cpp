#include "tests/support/file_bytes.h"

#include <windows.h>

#include "gtest/gtest.h"

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

void MakeFolder(const std::string& path) {
  EXPECT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileBytes(path, bytes)) << path;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot read " << path;
    return bytes;
  }
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  ::CloseHandle(file);
  return bytes;
}
