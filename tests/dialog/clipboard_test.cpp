// CopyTextToClipboard against the real clipboard.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/dialog/clipboard.h"
#include "gtest/gtest.h"

namespace {

// The CF_TEXT block's bytes, its whole allocated size, or "<none>".
std::string ClipboardBlock(UINT format) {
  std::string bytes = "<none>";
  if (!::OpenClipboard(nullptr)) return "<not open>";
  HANDLE data = ::GetClipboardData(format);
  if (data != nullptr) {
    const char* p = static_cast<const char*>(::GlobalLock(data));
    if (p != nullptr) bytes.assign(p, ::GlobalSize(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return bytes;
}

void PutMarker(const char* marker) {
  ASSERT_EQ(CopyTextToClipboard(marker, static_cast<uint32_t>(strlen(marker) + 1), CF_TEXT), 1);
}

TEST(CopyTextToClipboard, PlacesTheExactBytesWithTheirNul) {
  const std::string text("#.|\r\n-.#\r\n\x83\x5C", 12);  // a CP932 "ソ" at the end
  ASSERT_EQ(CopyTextToClipboard(text.c_str(), static_cast<uint32_t>(text.size() + 1), CF_TEXT), 1);
  std::string block = ClipboardBlock(CF_TEXT);
  // The block may be rounded up by the allocator; its start must be the text and NUL.
  ASSERT_GE(block.size(), text.size() + 1);
  EXPECT_EQ(block.substr(0, text.size() + 1), text + '\0');
}

TEST(CopyTextToClipboard, RefusesNothingToCopyAndLeavesTheClipboardAlone) {
  PutMarker("before");
  EXPECT_EQ(CopyTextToClipboard(nullptr, 5, CF_TEXT), 0);
  EXPECT_EQ(CopyTextToClipboard("abc", 0, CF_TEXT), 0);
  EXPECT_EQ(ClipboardBlock(CF_TEXT).substr(0, 7), std::string("before\0", 7));
}

TEST(CopyTextToClipboard, ReportsAClipboardHeldByAnotherWindowAndChangesNothing) {
  PutMarker("kept");
  std::atomic<int> stage{0};
  std::thread holder([&] {
    HWND owner = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (::OpenClipboard(owner)) {
      stage = 1;
      while (stage != 2) ::Sleep(5);
      ::CloseClipboard();
    } else {
      stage = -1;
    }
    ::DestroyWindow(owner);
  });
  while (stage == 0) ::Sleep(5);
  ASSERT_EQ(stage, 1) << "the helper thread could not open the clipboard";
  EXPECT_EQ(CopyTextToClipboard("new", 4, CF_TEXT), 0);
  stage = 2;
  holder.join();
  EXPECT_EQ(ClipboardBlock(CF_TEXT).substr(0, 5), std::string("kept\0", 5));
}

}  // namespace
