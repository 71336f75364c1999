#include "tests/dialog/test_folder.h"

#include <windows.h>

#include <cstdio>

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = folder + "\\" + name;
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

void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

TestFolder::TestFolder(const std::string& nameStem) {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  for (;;) {
    char name[64];
    std::snprintf(name, sizeof(name), "%lu-%d", ::GetCurrentProcessId(), ++serial);
    path_ = std::string(temp) + nameStem + "-" + name;
    if (::CreateDirectoryA(path_.c_str(), nullptr)) break;
  }
}

TestFolder::~TestFolder() { RemoveTree(path_); }

bool TestFolder::Write(const std::string& relative, const std::string& bytes) const {
  std::string path = At(relative);
  MakeParents(path);
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

bool TestFolder::MakeFolder(const std::string& relative) const {
  std::string path = At(relative);
  MakeParents(path + "\\");
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TestFolder::CopyIn(const std::string& source, const std::string& relative) const {
  std::string path = At(relative);
  MakeParents(path);
  return ::CopyFileA(source.c_str(), path.c_str(), FALSE) != 0;
}

std::string BuildOutputPath(const char* hostPath) {
  std::string path = std::string("Z:") + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  ::CloseHandle(file);
  return bytes;
}

std::string SampleDefinitions() {
  return "Test glyphs: light, dark, vertical and horizontal strokes.\r\n"
         "#data\r\n.\r\n0 235 235 235\r\n0 0 0\r\n0 0 0\r\n0 0 0\r\n"
         "#data\r\n#\r\n0 30 30 30\r\n0 0 0\r\n0 0 0\r\n0 0 0\r\n"
         "#data\r\n|\r\n0 128 128 128\r\n0 80 0\r\n0 80 0\r\n0 80 0\r\n"
         "#data\r\n-\r\n0 128 128 128\r\n0 0 0\r\n80 80 80\r\n0 0 0\r\n";
}

std::string SamplePictureBmp(int32_t width, int32_t height) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(height);
  std::string bmp = "BM";
  PutLe(bmp, 54 + pixelBytes, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 54, 4);
  PutLe(bmp, 40, 4);
  PutLe(bmp, static_cast<uint32_t>(width), 4);
  PutLe(bmp, static_cast<uint32_t>(height), 4);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 24, 2);
  PutLe(bmp, 0, 4);
  PutLe(bmp, pixelBytes, 4);
  PutLe(bmp, 2835, 4);
  PutLe(bmp, 2835, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, 0, 4);
  for (int32_t row = height - 1; row >= 0; --row) {
    std::string line;
    for (int32_t x = 0; x < width; ++x) {
      int32_t dx = x - width / 3, dy = row - height / 2;
      uint8_t grey = 235;
      if (dx * dx + dy * dy < (height / 3) * (height / 3)) grey = 30;
      else if (x > width * 2 / 3 && x < width * 2 / 3 + width / 8) grey = 128;
      line.append(3, static_cast<char>(grey));
    }
    line.resize(stride, '\0');
    bmp += line;
  }
  return bmp;
}
