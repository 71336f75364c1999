#include "image/dib_image.h"

#include <cstring>
#include <type_traits>

#include "gtest/gtest.h"
#include "tests/image/test_support.h"

namespace {

// These tests load through GDI+ alone.
const PluginTable kNoPlugins;

// The global holder must be usable before any constructor could have run.
static_assert(std::is_aggregate<DibImage>::value, "DibImage needs no construction step");

bool AllBytesZero(const DibImage& holder) {
  const DibImage zero{};
  return std::memcmp(&holder, &zero, sizeof holder) == 0;
}

void ExpectHolds(const DibImage& holder, int width, int height, int bitCount) {
  const BITMAPINFOHEADER& h = holder.info.bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, width);
  EXPECT_EQ(h.biHeight, height);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, bitCount);
  EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
  const DWORD rowBytes = (bitCount * width + 31) / 32 * 4;
  EXPECT_EQ(h.biSizeImage, rowBytes * height);
  EXPECT_EQ(holder.imageSize, rowBytes * height);
  ASSERT_NE(holder.bitmap, nullptr);
  ASSERT_NE(holder.bits, nullptr);
  ASSERT_NE(holder.memoryDc, nullptr);
  EXPECT_EQ(::GetCurrentObject(holder.memoryDc, OBJ_BITMAP), holder.bitmap);
  DIBSECTION dib;
  ASSERT_EQ(::GetObjectA(holder.bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmBits, holder.bits);
}

TEST(DibImageTest, HoldsThePictureBottomUpAt32Bits) {
  TestHolder holder{};
  ASSERT_EQ(holder.Load(kNoPlugins, DataFile("pattern.png").c_str(), 32), 1);
  ExpectHolds(holder, kPatternWidth, kPatternHeight, 32);
  // The first row in memory is the picture's bottom row.
  const BYTE* first = static_cast<const BYTE*>(holder.bits);
  const Bgr bottomLeft = PatternPixel(0, kPatternHeight - 1);
  EXPECT_EQ((Bgr{first[0], first[1], first[2]}), bottomLeft);
  for (int y = 0; y < kPatternHeight; ++y) {
    for (int x = 0; x < kPatternWidth; ++x) {
      EXPECT_EQ(HeldPixel(holder, x, y), PatternPixel(x, y)) << x << "," << y;
    }
  }
  holder.Reset();
  EXPECT_TRUE(AllBytesZero(static_cast<const DibImage&>(holder)));
}

TEST(DibImageTest, RowSizesFollowWidthAndDepth) {
  TempFolder folder;
  const std::string one = folder.Write("one.bmp", Bmp24(1, 1, {Bgr{1, 2, 3}}, false));
  const std::string three =
      folder.Write("three.bmp", Bmp24(3, 2, std::vector<Bgr>(6, Bgr{9, 8, 7}), false));
  TestHolder holder{};
  ASSERT_EQ(holder.Load(kNoPlugins, one.c_str(), 32), 1);
  ExpectHolds(holder, 1, 1, 32);  // one 4-byte row
  EXPECT_EQ(holder.imageSize, 4u);
  ASSERT_EQ(holder.Load(kNoPlugins, three.c_str(), 32), 1);
  ExpectHolds(holder, 3, 2, 32);  // 12-byte rows, no padding
  EXPECT_EQ(HeldPixel(holder, 2, 1), (Bgr{9, 8, 7}));
  ASSERT_EQ(holder.Load(kNoPlugins, DataFile("pattern.png").c_str(), 24), 1);
  ExpectHolds(holder, kPatternWidth, kPatternHeight, 24);  // 15 bytes padded to 16
  EXPECT_EQ(holder.imageSize, 48u);
}

TEST(DibImageTest, FailedDecodeKeepsTheHeldPicture) {
  TempFolder folder;
  const std::string notAPicture = folder.Write("text.png", "plain text");
  TestHolder holder{};
  ASSERT_EQ(holder.Load(kNoPlugins, DataFile("pattern.png").c_str(), 32), 1);
  const DibImage before = holder;
  for (const std::string& path : {notAPicture, folder.path() + "\\missing.png"}) {
    EXPECT_EQ(holder.Load(kNoPlugins, path.c_str(), 32), 0) << path;
    EXPECT_EQ(std::memcmp(static_cast<DibImage*>(&holder), &before, sizeof before), 0) << path;
  }
  EXPECT_EQ(HeldPixel(holder, 4, 2), PatternPixel(4, 2));
}

TEST(DibImageTest, SecondLoadReplacesTheFirst) {
  TempFolder folder;
  const std::string red = folder.Write("red.bmp", Bmp24(2, 2, std::vector<Bgr>(4, Bgr{0, 0, 255}), false));
  TestHolder holder{};
  ASSERT_EQ(holder.Load(kNoPlugins, DataFile("pattern.png").c_str(), 32), 1);
  ASSERT_EQ(holder.Load(kNoPlugins, red.c_str(), 32), 1);
  ExpectHolds(holder, 2, 2, 32);
  EXPECT_EQ(HeldPixel(holder, 1, 1), (Bgr{0, 0, 255}));
}

TEST(DibImageTest, ConvertToDibCopiesWithoutTouchingTheSource) {
  TempFolder folder;
  const std::string path = folder.Write("pattern.bmp", Bmp24(2, 1, {Bgr{1, 2, 3}, Bgr{4, 5, 6}}, false));
  HBITMAP source = static_cast<HBITMAP>(
      ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(source, nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP copy = ConvertToDib(&info, &bits, source);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(info.bmiHeader.biWidth, 2);
  EXPECT_EQ(info.bmiHeader.biHeight, 1);
  EXPECT_EQ(info.bmiHeader.biSizeImage, 8u);
  EXPECT_EQ(PixelAt(bits, 2, 1, 1, 0), (Bgr{4, 5, 6}));
  BITMAP still;
  EXPECT_EQ(::GetObjectA(source, sizeof still, &still), static_cast<int>(sizeof still));
  EXPECT_EQ(still.bmWidth, 2);
  ::DeleteObject(copy);
  ::DeleteObject(source);

  // Neither a non-bitmap source nor a size beyond 32 bits makes a section.
  BITMAPINFO huge{};
  huge.bmiHeader = info.bmiHeader;
  huge.bmiHeader.biWidth = 0x40000000;
  bits = &huge;
  EXPECT_EQ(ConvertToDib(&info, &bits, nullptr), nullptr);
  EXPECT_EQ(bits, nullptr);
  source = ::CreateBitmap(1, 1, 1, 32, nullptr);
  bits = &huge;
  EXPECT_EQ(ConvertToDib(&huge, &bits, source), nullptr);
  EXPECT_EQ(bits, nullptr);
  ::DeleteObject(source);
}

DWORD GdiObjectCount() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

TEST(DibImageTest, LoadsAndFailuresLeaveNoGdiObjectBehind) {
  if (GdiObjectCount() == 0) GTEST_SKIP() << "this system does not count GDI objects";
  TempFolder folder;
  const std::string text = folder.Write("text.png", "plain text");
  TestHolder holder{};
  ASSERT_EQ(holder.Load(kNoPlugins, DataFile("pattern.png").c_str(), 32), 1);  // first use sets up GDI+
  holder.Reset();
  const DWORD before = GdiObjectCount();
  for (const char* name : {"pattern.png", "frames.gif", "transparent.png"}) {
    ASSERT_EQ(holder.Load(kNoPlugins, DataFile(name).c_str(), 32), 1) << name;
  }
  EXPECT_EQ(holder.Load(kNoPlugins, text.c_str(), 32), 0);
  holder.Reset();
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST(DibImageTest, GlobalHolderIsEmptyUntilUsed) {
  EXPECT_TRUE(AllBytesZero(dibImage));
}

}  // namespace
