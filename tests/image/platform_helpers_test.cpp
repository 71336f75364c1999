// The platform helpers the image loader, the command and the engine's Windows
// file share: handle owners, the directory walk and the path joiner.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/directory_walk.h"
#include "platform/path_join.h"
#include "platform/win32_handles.h"
#include "tests/image/test_support.h"

namespace {

HANDLE OpenUnshared(const std::string& path) {
  return ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Win32HandlesTest, OwnersReleaseAtScopeEndAndReleaseHandsTheHandleOn) {
  TempFolder folder;
  const std::string path = folder.Write("held.bin", "bytes");
  {
    const ScopedFile file(OpenUnshared(path));
    ASSERT_TRUE(file.ok());
    EXPECT_FALSE(DeleteIfClosed(path)) << "open without sharing while owned";
  }
  EXPECT_TRUE(DeleteIfClosed(path)) << "closed when the owner ended";

  const std::string kept = folder.Write("kept.bin", "bytes");
  HANDLE handed = INVALID_HANDLE_VALUE;
  {
    ScopedFile file(OpenUnshared(kept));
    handed = file.release();
    EXPECT_FALSE(file.ok());
  }
  EXPECT_FALSE(DeleteIfClosed(kept)) << "a released handle stays open";
  EXPECT_TRUE(::CloseHandle(handed));
  EXPECT_TRUE(DeleteIfClosed(kept));

  // Only a movable block is known to say so once freed.
  HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE, 16);
  ASSERT_NE(block, nullptr);
  { const ScopedLocalMemory owned(block); }
  EXPECT_EQ(::LocalFlags(block), LMEM_INVALID_HANDLE);

  { const ScopedFile none; }  // "none" is never closed
  { const ScopedLocalMemory none; }
}

TEST(DirectoryWalkTest, VisitsEveryMatchUntilTheVisitorStops) {
  TempFolder folder;
  for (const char* name : {"a.txt", "b.txt", "c.txt", "d.bin"}) folder.Write(name, "");
  const std::string pattern = folder.Child("*.txt");
  std::vector<std::string> seen;
  EXPECT_TRUE(ForEachMatch(pattern.c_str(), [&](const char* name) {
    seen.push_back(name);
    return true;
  }));
  EXPECT_EQ(seen.size(), 3u);
  seen.clear();
  EXPECT_TRUE(ForEachMatch(pattern.c_str(), [&](const char* name) {
    seen.push_back(name);
    return seen.size() < 2;
  }));
  EXPECT_EQ(seen.size(), 2u) << "stops when the visitor says so";
  EXPECT_FALSE(ForEachMatch(folder.Child("*.none").c_str(), [](const char*) { return true; }));
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    EXPECT_TRUE(DeleteIfClosed(folder.Child(name))) << name << ": the search was closed";
  }
}

TEST(PathJoinTest, JoinsWhatFitsAndWritesNothingOtherwise) {
  struct Case {
    size_t folderLength;
    size_t nameLength;
    bool fits;
  };
  // 259 bytes and a NUL is the most a path holds.
  const Case cases[] = {{0, 0, true}, {1, 1, true}, {200, 58, true}, {200, 59, false},
                        {258, 0, true}, {259, 0, false}, {0, 258, true}, {300, 1, false}};
  for (const Case& c : cases) {
    const std::string folder(c.folderLength, 'f');
    const std::string name(c.nameLength, 'n');
    char path[kPathBytes];
    std::memset(path, '#', sizeof path);
    EXPECT_EQ(JoinPath(path, folder.c_str(), name.c_str()), c.fits)
        << c.folderLength << " + " << c.nameLength;
    if (c.fits) {
      EXPECT_EQ(std::string(path), folder + "\\" + name);
    } else {
      EXPECT_EQ(path[0], '#') << c.folderLength << " + " << c.nameLength << ": nothing written";
    }
  }
  // A fixed field without a NUL is read no further than a path's size.
  char field[kPathBytes];
  std::memset(field, 'x', sizeof field);
  char path[kPathBytes];
  EXPECT_FALSE(JoinPath(path, "C:", field));
}

}  // namespace
