#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "image/plugin_host.h"
#include "tests/image/plugins/scripted_picture.h"
#include "tests/image/test_support.h"

namespace {

// The blue byte of the 1 x 1 picture a scripted plug-in makes for kMark: the
// number of the plug-in copy that decoded it, or -1 when no plug-in did.
int DecodingMark(const PluginTable& table, const std::string& path) {
  HBITMAP section = LoadPictureViaPlugins(table, path.c_str());
  if (section == nullptr) return -1;
  DIBSECTION dib;
  int mark = -2;
  if (::GetObjectA(section, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmWidth == 1) {
    mark = static_cast<const BYTE*>(dib.dsBm.bmBits)[0];
  }
  ::DeleteObject(section);
  return mark;
}

class PluginTableTest : public ::testing::Test {
 protected:
  void Install(std::initializer_list<const char*> plugins) {
    for (const char* name : plugins) folder_.Copy(TestPlugin(name), name);
  }
  std::string Picture(const char* name, const std::string& bytes) {
    return pictures_.Write(name, bytes);
  }
  const std::string& folder() const { return folder_.path(); }

  // With unloadable and scripted_a in the folder, the table has both entries, the
  // unloadable one null, and scripted_a decodes.
  void ExpectOnlyEntryLeftNull(const char* unloadable) {
    Install({unloadable, "scripted_a.spi"});
    LoadedPlugins plugins(folder());
    ASSERT_EQ(plugins.table.moduleCount, 2);
    EXPECT_EQ((plugins.table.modules[0] == nullptr) + (plugins.table.modules[1] == nullptr), 1);
    EXPECT_EQ(DecodingMark(plugins.table, Picture("mark.glyt", ScriptedFile(scripted::kMark))), 1);
  }

 private:
  TempFolder folder_;
  TempFolder pictures_;
};

TEST_F(PluginTableTest, EmptyFolderLoadsNothingAndDecodesNothing) {
  LoadedPlugins plugins(folder());
  EXPECT_EQ(plugins.table.moduleCount, 0);
  EXPECT_EQ(plugins.table.modules, nullptr);
  const std::string path = Picture("mark.glyt", ScriptedFile(scripted::kMark));
  EXPECT_EQ(LoadPictureViaPlugins(plugins.table, path.c_str()), nullptr);
  EXPECT_TRUE(DeleteIfClosed(path));
}

TEST_F(PluginTableTest, TooLongFolderLoadsNothing) {
  LoadedPlugins plugins(std::string(300, 'x'));
  EXPECT_EQ(plugins.table.moduleCount, 0);
}

TEST_F(PluginTableTest, FileThatIsNoLibraryLeavesANullEntryOnly) {
  ExpectOnlyEntryLeftNull("not_a_library.spi");
}

// A 64-bit program can load only 64-bit plug-ins, a 32-bit one only 32-bit ones: a
// plug-in of the other architecture is passed over like any file that is no library.
TEST_F(PluginTableTest, PluginOfTheOtherArchitectureLeavesANullEntryOnly) {
#ifndef GLYPHRANE_FOREIGN_PLUGIN
  GTEST_SKIP() << "no plug-in of the other architecture was given to this build "
                  "(configure it with -DGLYPHRANE_FOREIGN_PLUGIN=PATH)";
#else
  ExpectOnlyEntryLeftNull("foreign_netpbm.spi");
  // It would read a PPM picture if it could be loaded.
  LoadedPlugins plugins(folder());
  const std::string ppm = Picture("grey.ppm", "P6\n1 1\n255\n\x10\x20\x30");
  EXPECT_EQ(LoadPictureViaPlugins(plugins.table, ppm.c_str()), nullptr);
#endif
}

TEST_F(PluginTableTest, TableFollowsTheDirectoryOrder) {
  Install({"scripted_b.spi", "decode_only.spi", "scripted_a.spi"});
  const std::vector<std::string> order = DirectoryOrder(folder());
  LoadedPlugins plugins(folder());
  ASSERT_EQ(plugins.table.moduleCount, 3);
  for (int i = 0; i < 3; ++i) {
    char path[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(plugins.table.modules[i], path, MAX_PATH), 0u);
    const std::string name(path);
    EXPECT_EQ(name.substr(name.size() - order[i].size()), order[i]) << i;
  }
}

TEST_F(PluginTableTest, EarlierPluginInDirectoryOrderDecodes) {
  Install({"scripted_b.spi", "scripted_a.spi"});
  const std::vector<std::string> order = DirectoryOrder(folder());
  ASSERT_EQ(order.size(), 2u);
  LoadedPlugins plugins(folder());
  const int expected = order[0] == "scripted_a.spi" ? 1 : 2;
  EXPECT_EQ(DecodingMark(plugins.table, Picture("mark.glyt", ScriptedFile(scripted::kMark))), expected);
}

TEST_F(PluginTableTest, PluginsLackingAFunctionArePassedOver) {
  // decode_only has no IsSupported; probe_only claims everything but cannot decode.
  Install({"decode_only.spi", "probe_only.spi", "scripted_a.spi"});
  LoadedPlugins plugins(folder());
  EXPECT_EQ(DecodingMark(plugins.table, Picture("mark.glyt", ScriptedFile(scripted::kMark))), 1);
}

TEST_F(PluginTableTest, ProbeYesWithoutDecoderGivesNullThenGdiPlus) {
  Install({"decode_only.spi", "probe_only.spi"});
  LoadedPlugins plugins(folder());
  const std::string mark = Picture("mark.glyt", ScriptedFile(scripted::kMark));
  EXPECT_EQ(LoadPictureViaPlugins(plugins.table, mark.c_str()), nullptr);
  EXPECT_TRUE(DeleteIfClosed(mark));
  TestHolder holder{};
  ASSERT_EQ(holder.Load(plugins.table, DataFile("pattern.png").c_str(), 32), 1);
  EXPECT_EQ(HeldPixel(holder, 3, 1), PatternPixel(3, 1));
}

TEST_F(PluginTableTest, ProbeReturnsTheFirstYes) {
  Install({"scripted_a.spi"});
  LoadedPlugins plugins(folder());
  std::string header(2048, '\0');
  EXPECT_EQ(ProbePlugins(plugins.table, header.data()), 0);
  header.replace(0, 5, ScriptedFile(scripted::kMark));
  EXPECT_EQ(ProbePlugins(plugins.table, header.data()), 1);
}

TEST_F(PluginTableTest, FailingDecodeEndsThePluginPathAndGdiPlusReads) {
  Install({"greedy_failing.spi", "scripted_a.spi"});
  const std::vector<std::string> order = DirectoryOrder(folder());
  LoadedPlugins plugins(folder());
  // The failing plug-in claims everything; when it comes first, the second
  // plug-in that also claims the file is not tried.
  const std::string mark = Picture("mark.glyt", ScriptedFile(scripted::kMark));
  EXPECT_EQ(DecodingMark(plugins.table, mark), order[0] == "greedy_failing.spi" ? -1 : 1);
  EXPECT_TRUE(DeleteIfClosed(mark));

  const std::string png = Picture("pattern.png", std::string());
  ASSERT_TRUE(::CopyFileA(DataFile("pattern.png").c_str(), png.c_str(), FALSE));
  PluginBitmapInfo info;
  void* pixels = reinterpret_cast<void*>(1);
  std::string contents(2048, '\0');
  EXPECT_EQ(DecodeWithPlugin(plugins.table, contents.data(), 0, &info, &pixels), scripted::kFailure);
  EXPECT_EQ(pixels, nullptr);
  EXPECT_EQ(LoadPictureViaPlugins(plugins.table, png.c_str()), nullptr);
  TestHolder holder{};
  ASSERT_EQ(holder.Load(plugins.table, png.c_str(), 32), 1);
  EXPECT_EQ(HeldPixel(holder, 4, 0), PatternPixel(4, 0));
}

TEST_F(PluginTableTest, EmptyFileIsProbedAsZeros) {
  Install({"greedy_failing.spi"});
  LoadedPlugins plugins(folder());
  const std::string empty = Picture("empty.bin", "");
  EXPECT_EQ(LoadPictureViaPlugins(plugins.table, empty.c_str()), nullptr);
  EXPECT_TRUE(DeleteIfClosed(empty));
}

}  // namespace
