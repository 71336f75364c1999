// The shipped Netpbm plug-in, loaded by the host as the program does, decoding
// every Netpbm variant through the image holder.

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "image/plugin_host.h"
#include "image/susie_interface.h"
#include "tests/image/test_support.h"

namespace {

typedef int(WINAPI* GetPluginInfoProc)(int infoNumber, LPSTR buffer, int bufferLength);

const Bgr kBlack{0, 0, 0};
const Bgr kWhite{255, 255, 255};

Bgr Grey(int value) { return Bgr{value, value, value}; }

class NetpbmPluginTest : public ::testing::Test {
 protected:
  NetpbmPluginTest() {
    plugins_.Copy(NetpbmPlugin(), "netpbm.spi");
    LoadPlugins(table_, plugins_.path().c_str());
  }
  ~NetpbmPluginTest() override { UnloadPlugins(table_); }

  // Loads bytes through the holder and compares every pixel, top row first.
  void ExpectPicture(const std::string& bytes, int width, int height,
                     const std::vector<Bgr>& expected, const char* what) {
    SCOPED_TRACE(what);
    const std::string path = pictures_.Write("picture.pnm", bytes);
    // Only the plug-in reads these: GDI+ would give null.
    HBITMAP direct = LoadPictureViaPlugins(table_, path.c_str());
    ASSERT_NE(direct, nullptr);
    ::DeleteObject(direct);
    TestHolder holder{};
    ASSERT_EQ(holder.Load(table_, path.c_str(), 32), 1);
    ASSERT_EQ(holder.info.bmiHeader.biWidth, width);
    ASSERT_EQ(holder.info.bmiHeader.biHeight, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(HeldPixel(holder, x, y), expected[y * width + x]) << x << "," << y;
      }
    }
  }

  TempFolder plugins_;
  PluginTable table_;
  TempFolder pictures_;
};

TEST_F(NetpbmPluginTest, BitmapsAsciiAndBinary) {
  // 10 pixels wide: a binary row spans two bytes with six padding bits.
  const std::vector<Bgr> expected = {
      kBlack, kWhite, kWhite, kBlack, kBlack, kWhite, kWhite, kWhite, kWhite, kBlack,
      kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kBlack, kBlack,
  };
  ExpectPicture("P1\n# comment line\n10 2\n1 0 0 1 1 0 0 0 0 1\n0000000011\n", 10, 2, expected,
                "P1");
  ExpectPicture(std::string("P4 10 2\n\x98\x7F\x00\xC0", 12), 10, 2, expected,
                "P4 with set padding bits");
}

TEST_F(NetpbmPluginTest, GreymapsScaleToFullRange) {
  ExpectPicture("P2 3 2 15\n0 15 7\n1 2 3\n", 3, 2,
                {Grey(0), Grey(255), Grey(119), Grey(17), Grey(34), Grey(51)}, "P2 maxval 15");
  ExpectPicture(std::string("P5\n2 2\n255\n\x00\x80\xFF\x01", 15), 2, 2,
                {Grey(0), Grey(128), Grey(255), Grey(1)}, "P5 maxval 255");
  ExpectPicture(std::string("P5 2 1 65535\n\xFF\xFF\x80\x00", 17), 2, 1,
                {Grey(255), Grey(128)}, "P5 two-byte samples");
}

TEST_F(NetpbmPluginTest, PixmapsKeepTheirColours) {
  const std::vector<Bgr> expected = {Bgr{3, 2, 1}, Bgr{30, 20, 10}, Bgr{255, 0, 128},
                                     Bgr{0, 200, 7}, Bgr{9, 9, 9}, Bgr{0, 0, 0}};
  ExpectPicture("P3 3 2 255 1 2 3 10 20 30 128 0 255\n7 200 0 9 9 9 0 0 0", 3, 2, expected,
                "P3");
  ExpectPicture(std::string("P6 3 2 255\n"
                            "\x01\x02\x03\x0A\x14\x1E\x80\x00\xFF"
                            "\x07\xC8\x00\x09\x09\x09\x00\x00\x00",
                            29),
                3, 2, expected, "P6");
  ExpectPicture("P3 1 1 1000\n1000 0 500\n", 1, 1, {Bgr{128, 0, 255}}, "P3 maxval 1000");
}

TEST_F(NetpbmPluginTest, BrokenFilesAreNotDecoded) {
  const std::string cases[] = {
      "P6 2 2 255\n\x01\x02",      // raster cut short
      "P5 40000 40000 255\n",      // huge, with no raster
      "P2 1 1 0\n0",               // maxval 0
      "P2 1 1 65536\n0",           // maxval too large
      "P3 1 1 255\n1 2 300",       // sample above maxval
      "P1 2 1\n1 2",               // not a bit
  };
  for (const std::string& bytes : cases) {
    const std::string path = pictures_.Write("broken.pnm", bytes);
    EXPECT_EQ(LoadPictureViaPlugins(table_, path.c_str()), nullptr) << bytes;
  }
}

TEST(NetpbmPathTest, FoldersAndNamesWithBackslashTrailBytes) {
  // "ソ" and "表" end in the byte 0x5C in code page 932: the plug-in folder and
  // the picture's path must be taken as they are, not cut at that byte.
  TempFolder plugins("ソ");
  TempFolder pictures("表");
  plugins.Copy(NetpbmPlugin(), "表.spi");
  PluginTable table;
  LoadPlugins(table, plugins.path().c_str());
  ASSERT_EQ(table.moduleCount, 1);
  EXPECT_NE(table.modules[0], nullptr);
  const std::string path = pictures.Write("ソ.pgm", "P2 1 1 255 200");
  TestHolder holder{};
  EXPECT_EQ(holder.Load(table, path.c_str(), 32), 1);
  UnloadPlugins(table);
  EXPECT_EQ(HeldPixel(holder, 0, 0), Grey(200));
}

TEST_F(NetpbmPluginTest, DescribesItself) {
  ASSERT_EQ(table_.moduleCount, 1);
  auto info = FindSusieExport<GetPluginInfoProc>(table_.modules[0], "GetPluginInfo");
  ASSERT_NE(info, nullptr);
  char buffer[64];
  EXPECT_EQ(info(0, buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "00IN");
  EXPECT_EQ(info(2, buffer, 6), 5);  // cut to the buffer, NUL included
  EXPECT_STREQ(buffer, "*.pbm");
  EXPECT_EQ(info(4, buffer, sizeof buffer), 0);
}

TEST_F(NetpbmPluginTest, DecodesFromAFileNameToo) {
  const std::string path = pictures_.Write("offset.pnm", "junkP2 1 1 255 77\n");
  auto getPicture = FindSusieExport<SusieGetPictureProc>(table_.modules[0], "GetPicture");
  ASSERT_NE(getPicture, nullptr);
  HLOCAL info = nullptr;
  HLOCAL pixels = nullptr;
  ASSERT_EQ(getPicture(path.c_str(), 4, 0, &info, &pixels, nullptr, 0), 0);
  const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(::LocalLock(info));
  EXPECT_EQ(header->biBitCount, 8);
  EXPECT_EQ(static_cast<const BYTE*>(::LocalLock(pixels))[0], 77);
  ::LocalUnlock(info);
  ::LocalUnlock(pixels);
  ::LocalFree(info);
  ::LocalFree(pixels);
}

}  // namespace
