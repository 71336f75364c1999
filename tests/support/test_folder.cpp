#include "tests/support/test_folder.h"

#include <windows.h>

#include "gtest/gtest.h"
#include "tests/support/file_bytes.h"

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(child.c_str());
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(folder.c_str());
}

void MakeParents(const std::string& path) {
  for (size_t i = 3; i < path.size(); ++i) {
    // Only whole characters: a trail byte 0x5C is not a separator.
    if (::IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
      ++i;
      continue;
    }
    if (path[i] == '\\') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
}

}  // namespace

TestFolder::TestFolder(const std::string& suffix) {
  static int counter = 0;
  char temp[MAX_PATH];
  const DWORD length = ::GetTempPathA(sizeof(temp), temp);
  if (length == 0 || length >= sizeof(temp)) ADD_FAILURE() << "no temporary folder";
  std::string base(temp, length < sizeof(temp) ? length : 0);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  // A run that crashed may have left folders whose names a new process (Wine
  // reuses process ids) would pick again, and test programs may run side by
  // side: take the next name nobody holds.
  for (;;) {
    path_ = base + "\\glyphrane_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + suffix;
    if (::CreateDirectoryA(path_.c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  ADD_FAILURE() << "cannot create " << path_;
}

TestFolder::~TestFolder() { RemoveTree(path_); }

bool TestFolder::Write(const std::string& relative, const std::string& bytes) const {
  const std::string path = Child(relative);
  MakeParents(path);
  return WriteFileBytes(path, bytes);
}

bool TestFolder::MakeFolder(const std::string& relative) const {
  const std::string path = Child(relative);
  MakeParents(path + "\\");
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TestFolder::CopyIn(const std::string& source, const std::string& relative) const {
  const std::string path = Child(relative);
  MakeParents(path);
  return ::CopyFileA(source.c_str(), path.c_str(), FALSE) != 0;
}
