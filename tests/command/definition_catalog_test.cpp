#include "command/definition_catalog.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/command/command_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/test_folder.h"

namespace {

// A catalogue that frees its entries, so that every test starts empty.
struct OwnedCatalog : DefinitionCatalog {
  ~OwnedCatalog() { std::free(entries); }
};

// The order the platform's directory search gives, found independently.
std::vector<std::string> SearchOrder(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

std::string DisplayNameOf(const OwnedCatalog& catalog, const std::string& fileName) {
  for (uint32_t i = 0; i < catalog.count; ++i) {
    if (fileName == catalog.entries[i].fileName) return catalog.entries[i].displayName;
  }
  return "<not listed>";
}

class DefinitionCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::GetACP(), 932u) << "these tests need code page 932"; }
};

TEST_F(DefinitionCatalogTest, ListsEveryTxtEntryWithItsDisplayNameInSearchOrder) {
  TestFolder program(std::string("_") + kHyou + kSo);
  const std::string data = program.Child("data");
  MakeFolder(data);
  const std::string so = kSo;
  const std::string hyou = kHyou;
  for (const std::string& name :
       {std::string("glyphs.txt"), std::string("set.b.txt"), std::string("a.txt.txt"),
        so + ".txt", hyou + ".b.txt", "x" + so + "y.txt", std::string("readme.md")}) {
    WriteBytes(data + "\\" + name, "#data\r\nA\r\n");
  }
  MakeFolder(data + "\\fonts.txt");

  OwnedCatalog catalog;
  ASSERT_TRUE(BuildDefinitionCatalog(program.path().c_str(), catalog));
  ASSERT_EQ(catalog.count, 7u);

  EXPECT_EQ(DisplayNameOf(catalog, "glyphs.txt"), "glyphs");
  EXPECT_EQ(DisplayNameOf(catalog, "set.b.txt"), "set.b");
  EXPECT_EQ(DisplayNameOf(catalog, "a.txt.txt"), "a.txt");
  EXPECT_EQ(DisplayNameOf(catalog, "fonts.txt"), "fonts") << "a folder is listed like a file";
  EXPECT_EQ(DisplayNameOf(catalog, so + ".txt"), so) << "trail byte 0x5C kept";
  EXPECT_EQ(DisplayNameOf(catalog, hyou + ".b.txt"), hyou + ".b");
  EXPECT_EQ(DisplayNameOf(catalog, "x" + so + "y.txt"), "x" + so + "y");

  const std::vector<std::string> order = SearchOrder(data + "\\*.txt");
  ASSERT_EQ(order.size(), catalog.count);
  for (uint32_t i = 0; i < catalog.count; ++i) {
    EXPECT_EQ(order[i], catalog.entries[i].fileName) << "entry " << i << " in search order";
  }
}

TEST_F(DefinitionCatalogTest, AFileNamedOnlyDotTxtHasAnEmptyDisplayName) {
  TestFolder program;
  MakeFolder(program.Child("data"));
  WriteBytes(program.Child("data\\.txt"), "#data\r\nA\r\n");
  OwnedCatalog catalog;
  ASSERT_TRUE(BuildDefinitionCatalog(program.path().c_str(), catalog));
  ASSERT_EQ(catalog.count, 1u);
  EXPECT_STREQ(catalog.entries[0].fileName, ".txt");
  EXPECT_STREQ(catalog.entries[0].displayName, "") << "everything from the last dot goes";
}

TEST_F(DefinitionCatalogTest, EmptyOrMissingDataFolderGivesAnEmptyCatalogue) {
  TestFolder program;
  OwnedCatalog missing;
  EXPECT_TRUE(BuildDefinitionCatalog(program.path().c_str(), missing));
  EXPECT_EQ(missing.count, 0u);
  EXPECT_EQ(missing.entries, nullptr);

  MakeFolder(program.Child("data"));
  WriteBytes(program.Child("data\\picture.bmp"), "BM");
  OwnedCatalog empty;
  EXPECT_TRUE(BuildDefinitionCatalog(program.path().c_str(), empty));
  EXPECT_EQ(empty.count, 0u);
  EXPECT_EQ(empty.entries, nullptr);
}

TEST_F(DefinitionCatalogTest, ARebuildReplacesTheEntriesAndAFailedSearchKeepsThem) {
  TestFolder program;
  MakeFolder(program.Child("data"));
  WriteBytes(program.Child("data\\one.txt"), "");
  OwnedCatalog catalog;
  ASSERT_TRUE(BuildDefinitionCatalog(program.path().c_str(), catalog));
  ASSERT_EQ(catalog.count, 1u);

  WriteBytes(program.Child("data\\two.txt"), "");
  ASSERT_TRUE(BuildDefinitionCatalog(program.path().c_str(), catalog));
  EXPECT_EQ(catalog.count, 2u);

  TestFolder elsewhere;
  ASSERT_TRUE(BuildDefinitionCatalog(elsewhere.path().c_str(), catalog));
  EXPECT_EQ(catalog.count, 2u) << "a search that finds nothing leaves the catalogue";
}

TEST_F(DefinitionCatalogTest, RefusesAProgramFolderTooLongForTheSearchPattern) {
  TestFolder program;
  MakeFolder(program.Child("data"));
  WriteBytes(program.Child("data\\glyphs.txt"), "");
  // Were the pattern cut to the buffer, "...\data\*" would match this file too.
  WriteBytes(program.Child("data\\notes"), "");

  // 248 bytes of folder, 11 of "\data\*.txt" and the NUL fill the 260 bytes.
  const std::string fits = PaddedFolder(program.path(), 248);
  ASSERT_EQ(fits.size(), 248u);
  OwnedCatalog found;
  ASSERT_TRUE(BuildDefinitionCatalog(fits.c_str(), found));
  EXPECT_EQ(found.count, 1u) << "the longest folder that fits is searched";

  for (size_t length : {249u, 250u, 259u, 400u}) {
    const std::string tooLong = PaddedFolder(program.path(), length);
    OwnedCatalog refused;
    EXPECT_TRUE(BuildDefinitionCatalog(tooLong.c_str(), refused)) << length;
    EXPECT_EQ(refused.count, 0u) << length;
    EXPECT_EQ(refused.entries, nullptr) << length;
  }
}

}  // namespace
