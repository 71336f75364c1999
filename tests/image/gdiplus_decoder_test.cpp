#include "image/gdiplus_decoder.h"

#include <cstdlib>

#include "gtest/gtest.h"
#include "tests/image/test_support.h"

namespace {

// Checks that section is the 5 x 3 pattern as a 32-bit bottom-up section,
// every channel within tolerance.
void ExpectPattern(HBITMAP section, int tolerance, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_NE(section, nullptr);
  DIBSECTION dib;
  ASSERT_EQ(::GetObjectA(section, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBmih.biWidth, kPatternWidth);
  EXPECT_EQ(dib.dsBmih.biHeight, kPatternHeight);  // positive: rows bottom-up
  EXPECT_EQ(dib.dsBmih.biBitCount, 32);
  for (int y = 0; y < kPatternHeight; ++y) {
    for (int x = 0; x < kPatternWidth; ++x) {
      const Bgr got = SectionPixel(section, x, y);
      const Bgr want = PatternPixel(x, y);
      EXPECT_LE(std::abs(got.blue - want.blue), tolerance) << x << "," << y << " " << got;
      EXPECT_LE(std::abs(got.green - want.green), tolerance) << x << "," << y << " " << got;
      EXPECT_LE(std::abs(got.red - want.red), tolerance) << x << "," << y << " " << got;
    }
  }
}

std::vector<Bgr> PatternPixels() {
  std::vector<Bgr> pixels;
  for (int y = 0; y < kPatternHeight; ++y) {
    for (int x = 0; x < kPatternWidth; ++x) pixels.push_back(PatternPixel(x, y));
  }
  return pixels;
}

TEST(GdiPlusDecoderTest, LosslessPicturesKeepEveryPixel) {
  // GIF: the first of two frames; the 300 dpi files: one pixel per pixel.
  for (const char* name :
       {"pattern.png", "pattern.tif", "frames.gif", "dpi300.png", "dpi300.tif"}) {
    HBITMAP section = LoadPictureViaGdiPlus(DataFile(name).c_str());
    ExpectPattern(section, 0, name);
    ::DeleteObject(section);
  }
}

TEST(GdiPlusDecoderTest, JpegStaysCloseToItsPixels) {
  HBITMAP section = LoadPictureViaGdiPlus(DataFile("pattern.jpg").c_str());
  ExpectPattern(section, 12, "pattern.jpg");
  ::DeleteObject(section);
}

TEST(GdiPlusDecoderTest, BmpWithColourTableAndTopDownBmp) {
  TempFolder folder;
  const std::string topDown = folder.Write(
      "top_down.bmp", Bmp24(kPatternWidth, kPatternHeight, PatternPixels(), true));
  HBITMAP section = LoadPictureViaGdiPlus(topDown.c_str());
  ExpectPattern(section, 0, "top-down 24-bit BMP");
  ::DeleteObject(section);

  std::vector<int> indices;
  for (int i = 0; i < kPatternWidth * kPatternHeight; ++i) indices.push_back(i);
  const std::string paletted =
      folder.Write("paletted.bmp", Bmp8(kPatternWidth, kPatternHeight, PatternPixels(), indices));
  section = LoadPictureViaGdiPlus(paletted.c_str());
  ExpectPattern(section, 0, "8-bit BMP with colour table");
  ::DeleteObject(section);
}

TEST(GdiPlusDecoderTest, TransparentPartsComeOutBlack) {
  HBITMAP section = LoadPictureViaGdiPlus(DataFile("transparent.png").c_str());
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(SectionPixel(section, 0, 0), (Bgr{50, 100, 200}));  // opaque
  EXPECT_EQ(SectionPixel(section, 1, 0), (Bgr{0, 0, 0}));       // transparent white
  const Bgr half = SectionPixel(section, 2, 0);                  // half-transparent white
  for (int channel : {half.blue, half.green, half.red}) {
    EXPECT_NEAR(channel, 128, 2) << half;
  }
  ::DeleteObject(section);
}

TEST(GdiPlusDecoderTest, UnreadableFilesGiveNull) {
  TempFolder folder;
  const std::string cases[] = {
      folder.path() + "\\missing.png",
      folder.Write("empty.png", ""),
      folder.Write("text.png", "not a picture at all"),
      folder.Write("truncated.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
  };
  for (const std::string& path : cases) {
    EXPECT_EQ(LoadPictureViaGdiPlus(path.c_str()), nullptr) << path;
  }
}

TEST(GdiPlusDecoderTest, PathWithBackslashTrailByte) {
  // "ソ" and "表" end in the byte 0x5C in code page 932.
  TempFolder folder("ソ");
  const std::string path = folder.Copy(DataFile("pattern.png"), "表.png");
  HBITMAP section = LoadPictureViaGdiPlus(path.c_str());
  ExpectPattern(section, 0, path.c_str());
  ::DeleteObject(section);
}

}  // namespace
