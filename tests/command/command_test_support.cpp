#include "tests/command/command_test_support.h"

#include <windows.h>

#include <cstdio>

#include "convert/conversion_state.h"
#include "convert/definition_loader.h"
#include "convert/tile_matching.h"
#include "gtest/gtest.h"

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

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

TestFolder::TestFolder(const std::string& suffix) {
  static int counter = 0;
  char temp[MAX_PATH];
  DWORD length = ::GetTempPathA(sizeof(temp), temp);
  if (length == 0 || length >= sizeof(temp)) ADD_FAILURE() << "no temporary folder";
  std::string base(temp, length);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  path_ = base + "\\glyphrane_cmd_" + std::to_string(::GetCurrentProcessId()) + "_" +
          std::to_string(++counter) + suffix;
  RemoveTree(path_);
  MakeFolder(path_);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

void MakeFolder(const std::string& path) {
  EXPECT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  ASSERT_EQ(written, bytes.size()) << path;
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

std::string PaddedFolder(const std::string& folder, size_t length) {
  std::string padded = folder;
  if ((length - folder.size()) % 2 != 0) padded += "\\";
  while (padded.size() < length) padded += "\\.";
  return padded;
}

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
  std::string folder = path;
  // The build folder holds no double-byte names, so a plain search serves here.
  return folder.substr(0, folder.find_last_of('\\'));
}

Picture PatternPicture(int32_t width, int32_t height) {
  Picture picture{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* pixel = &picture.bgr[(static_cast<size_t>(y) * width + x) * 3];
      const bool stripe = ((x / 5) + (y / 7)) % 3 == 0;
      pixel[0] = static_cast<uint8_t>(stripe ? 250 : (x * 255) / (width > 1 ? width - 1 : 1));
      pixel[1] = static_cast<uint8_t>((y * 255) / (height > 1 ? height - 1 : 1));
      pixel[2] = static_cast<uint8_t>(stripe ? 10 : ((x + y) * 37) & 0xFF);
    }
  }
  return picture;
}

std::string BmpFile(const Picture& picture) {
  const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
  std::string out = "BM";
  AppendLittleEndian(out, 14 + 40 + imageBytes, 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, 14 + 40, 4);
  AppendLittleEndian(out, 40, 4);
  AppendLittleEndian(out, static_cast<uint32_t>(picture.width), 4);
  AppendLittleEndian(out, static_cast<uint32_t>(picture.height), 4);
  AppendLittleEndian(out, 1, 2);
  AppendLittleEndian(out, 24, 2);
  for (int i = 0; i < 6; ++i) AppendLittleEndian(out, i == 1 ? imageBytes : 0, 4);
  for (int32_t y = picture.height - 1; y >= 0; --y) {
    const char* row = reinterpret_cast<const char*>(
        &picture.bgr[static_cast<size_t>(y) * picture.width * 3]);
    out.append(row, static_cast<size_t>(picture.width) * 3);
    out.append(rowBytes - static_cast<uint32_t>(picture.width) * 3, '\0');
  }
  return out;
}

std::string PpmFile(const Picture& picture) {
  std::string out = "P6\n" + std::to_string(picture.width) + " " +
                    std::to_string(picture.height) + "\n255\n";
  for (size_t i = 0; i < picture.bgr.size(); i += 3) {
    out.push_back(static_cast<char>(picture.bgr[i + 2]));
    out.push_back(static_cast<char>(picture.bgr[i + 1]));
    out.push_back(static_cast<char>(picture.bgr[i]));
  }
  return out;
}

std::string EngineText(const Picture& picture, const std::string& definitions,
                       int32_t blockWidth, int32_t blockHeight) {
  TestFolder folder;
  const std::string path = folder.Child("definitions.txt");
  WriteBytes(path, definitions);
  static GlyphDefinition table[kDefinitionTableCapacity];
  const uint32_t count = LoadDefinitions(path.c_str(), table, kDefinitionTableCapacity);
  EXPECT_GT(count, 0u) << "the definitions of the expected text";

  // The holder's layout: 32 bits per pixel, bottom row first.
  const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
  std::vector<uint8_t> rows(rowBytes * picture.height);
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint8_t* source = &picture.bgr[(static_cast<size_t>(y) * picture.width + x) * 3];
      uint8_t* target = &rows[(picture.height - 1 - y) * rowBytes + x * 4];
      target[0] = source[0];
      target[1] = source[1];
      target[2] = source[2];
    }
  }
  ReleaseConversion();
  if (count == 0 || !PreparePicture(picture.width, picture.height, rows.data())) return "";
  ConvertTiles(conversionState.PixelGrid, conversionState.width, conversionState.height, table,
               count, blockWidth, blockHeight, conversionState.ArtText);
  std::string text = conversionState.ArtText;
  ReleaseConversion();
  return text;
}

std::string Record(char character, int blue, int green, int red, int edge) {
  const std::string e = std::to_string(edge);
  const std::string edges = e + " " + e + " " + e + "\r\n";
  return "#data\r\n" + std::string(1, character) + "\r\n0 " + std::to_string(blue) + " " +
         std::to_string(green) + " " + std::to_string(red) + "\r\n" + edges + edges + edges;
}

std::string GreySet() {
  return "grey levels\r\n" + Record('#', 20, 20, 20) + Record('+', 90, 90, 90) +
         Record('-', 160, 160, 160) + Record('.', 230, 230, 230) + Record('|', 128, 128, 128, 80) +
         Record('B', 220, 40, 40) + Record('R', 40, 40, 220);
}
