// What the host makes of each kind of answer a plug-in can give: well-formed
// pictures of every depth must keep their pixels, and every broken answer
// must end in null with both of the plug-in's memory blocks released.

#include <cstdlib>
#include <string>

#include "gtest/gtest.h"
#include "image/plugin_host.h"
#include "image/susie_interface.h"
#include "tests/image/plugins/scripted_picture.h"
#include "tests/image/test_support.h"

namespace {

typedef void(WINAPI* LastHandlesProc)(HLOCAL* info, HLOCAL* pixels);

class PluginAnswersTest : public ::testing::Test {
 protected:
  PluginTable table_;  // the plug-ins of plugins_
  PluginAnswersTest() {
    plugins_.Copy(TestPlugin("scripted_a.spi"), "scripted_a.spi");
    LoadPlugins(table_, plugins_.path().c_str());
  }
  ~PluginAnswersTest() override { UnloadPlugins(table_); }

  std::string Scripted(char command) {
    return pictures_.Write((std::string(1, command) + ".glyt").c_str(), ScriptedFile(command));
  }

  // True when the plug-in's last two blocks are no longer allocated.
  bool PluginBlocksReleased() {
    EXPECT_EQ(table_.moduleCount, 1);
    auto lastHandles = FindSusieExport<LastHandlesProc>(table_.modules[0], "LastHandles");
    EXPECT_NE(lastHandles, nullptr);
    if (lastHandles == nullptr) return false;
    HLOCAL info = nullptr;
    HLOCAL pixels = nullptr;
    lastHandles(&info, &pixels);
    return info != nullptr && pixels != nullptr &&
           ::LocalFlags(info) == LMEM_INVALID_HANDLE &&
           ::LocalFlags(pixels) == LMEM_INVALID_HANDLE;
  }

 private:
  TempFolder plugins_;
  TempFolder pictures_;
};

// The scripted pattern at 24 bits (or resolved through the palette), checked
// pixel by pixel in a held 32-bit picture, each channel within tolerance.
void ExpectScripted(const DibImage& holder, int paletteEntries, int tolerance) {
  ASSERT_EQ(holder.info.bmiHeader.biWidth, scripted::kWidth);
  ASSERT_EQ(holder.info.bmiHeader.biHeight, scripted::kHeight);
  for (int y = 0; y < scripted::kHeight; ++y) {
    for (int x = 0; x < scripted::kWidth; ++x) {
      const scripted::Bgr w = paletteEntries != 0
                                  ? scripted::PaletteColour(scripted::PaletteIndex(x, y, paletteEntries))
                                  : scripted::PatternPixel(x, y);
      const Bgr got = HeldPixel(holder, x, y);
      EXPECT_LE(std::abs(got.blue - w.blue), tolerance) << x << "," << y << " " << got;
      EXPECT_LE(std::abs(got.green - w.green), tolerance) << x << "," << y << " " << got;
      EXPECT_LE(std::abs(got.red - w.red), tolerance) << x << "," << y << " " << got;
    }
  }
}

TEST(LocalBlockProbeTest, TellsLiveBlocksFromReleasedOnes) {
  // The release checks below rest on this: a live moveable block has valid
  // flags, a released one does not.
  HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE, 16);
  ASSERT_NE(block, nullptr);
  EXPECT_NE(::LocalFlags(block), static_cast<UINT>(LMEM_INVALID_HANDLE));
  ::LocalFree(block);
  EXPECT_EQ(::LocalFlags(block), static_cast<UINT>(LMEM_INVALID_HANDLE));
}

TEST_F(PluginAnswersTest, WellFormedPicturesKeepTheirPixels) {
  struct Case {
    char command;
    int paletteEntries;  // 0: the 24-bit pattern
    int tolerance;
    const char* what;
  };
  const Case cases[] = {
      {scripted::kNoImageSize, 0, 0, "biSizeImage 0: the size rule's bytes are copied"},
      {scripted::kHugeImageSize, 0, 0, "biSizeImage beyond the block: no more is read"},
      {scripted::kTopDown, 0, 0, "top-down rows come out the right way up"},
      {scripted::kPalette8, 3, 0, "8 bits, biClrUsed 3: whole table carried"},
      {scripted::kPalette4, 16, 0, "4 bits, implied 16 entries"},
      {scripted::kPalette1, 2, 0, "1 bit, implied 2 entries"},
      {scripted::kV4Header8, 5, 0, "colour table behind a 108-byte header"},
      {scripted::kBitFields16, 0, 8, "16-bit 5-6-5 masks carried"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Scripted(c.command);
    TestHolder holder{};
    ASSERT_EQ(holder.Load(table_, path.c_str(), 32), 1);
    ExpectScripted(holder, c.paletteEntries, c.tolerance);
    EXPECT_TRUE(PluginBlocksReleased());
    EXPECT_TRUE(DeleteIfClosed(path));
  }
}

TEST_F(PluginAnswersTest, SmallerImageSizeCopiesOnlyThatMuch) {
  // One row's worth: the bottom row arrives, the rest of the section stays zero.
  TestHolder holder{};
  ASSERT_EQ(holder.Load(table_, Scripted(scripted::kSmallerImageSize).c_str(), 32), 1);
  for (int x = 0; x < scripted::kWidth; ++x) {
    const scripted::Bgr bottom = scripted::PatternPixel(x, scripted::kHeight - 1);
    EXPECT_EQ(HeldPixel(holder, x, scripted::kHeight - 1), (Bgr{bottom.blue, bottom.green, bottom.red}));
    EXPECT_EQ(HeldPixel(holder, x, 0), (Bgr{0, 0, 0}));
  }
}

TEST_F(PluginAnswersTest, BrokenAnswersGiveNullAndReleaseBothBlocks) {
  struct Case {
    char command;
    const char* what;
  };
  const Case cases[] = {
      {scripted::kShortHeaderBlock, "header block shorter than a header"},
      {scripted::kShortColourTable, "colour table cut short"},
      {scripted::kShortPixelBlock, "pixel block one byte short"},
      {scripted::kZeroWidth, "zero width"},
      {scripted::kNegativeWidth, "negative width"},
      {scripted::kOverflowingSize, "size beyond 32 bits"},
      {scripted::kAbsurdWidth, "one row beyond 32 bits"},
      {scripted::kRleCompression, "compression a section cannot take"},
  };
  const DWORD gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Scripted(c.command);
    EXPECT_EQ(LoadPictureViaPlugins(table_, path.c_str()), nullptr);
    // Where the system counts GDI objects (not under Wine), none is left over.
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
    EXPECT_TRUE(PluginBlocksReleased());
    EXPECT_TRUE(DeleteIfClosed(path));
  }
}

TEST_F(PluginAnswersTest, ShortFileIsOfferedTwoKilobytesWhenDecoded) {
  // Five bytes on disk; both IsSupported calls must see 2043 zeros after them.
  HBITMAP section = LoadPictureViaPlugins(table_, Scripted(scripted::kPaddedProbe).c_str());
  EXPECT_NE(section, nullptr);
  ::DeleteObject(section);
}

TEST_F(PluginAnswersTest, FailuresWithoutBlocksGiveNull) {
  for (char command : {scripted::kFail, scripted::kNoHandles}) {
    const std::string path = Scripted(command);
    EXPECT_EQ(LoadPictureViaPlugins(table_, path.c_str()), nullptr) << command;
    EXPECT_TRUE(DeleteIfClosed(path)) << command;
  }
  // The holder then asks GDI+, which reads no such file either: the held
  // picture stays.
  TestHolder holder{};
  ASSERT_EQ(holder.Load(table_, DataFile("pattern.png").c_str(), 32), 1);
  EXPECT_EQ(holder.Load(table_, Scripted(scripted::kFail).c_str(), 32), 0);
  EXPECT_EQ(HeldPixel(holder, 0, 0), PatternPixel(0, 0));
}

}  // namespace
