#include "command/block_field.h"
#include "command/run_conversion.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "command/program_state.h"
#include "gtest/gtest.h"
#include "image/dib_image.h"
#include "tests/command/command_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/sample_definitions.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kSelectMessage = "定義ファイルを選択してください。";
const std::string kInvalidEntryMessage = "定義ファイルが無効です。";
const std::string kWidthMessage = "ブロックの幅が無効です。";
const std::string kHeightMessage = "ブロックの高さが無効です。";
const std::string kDefinitionMessage = "定義ファイルの読み込みに失敗しました。";
const std::string kPictureMessage = "画像ファイルの読み込みに失敗しました。";

struct OwnedCatalog : DefinitionCatalog {
  ~OwnedCatalog() { std::free(entries); }
};

::testing::AssertionResult Failed(const ConversionResult& result, const std::string& message,
                                  int focus) {
  if (result.ok) return ::testing::AssertionFailure() << "succeeded; expected " << message;
  if (result.failure.message == nullptr || message != result.failure.message) {
    return ::testing::AssertionFailure()
           << "message " << (result.failure.message ? result.failure.message : "(null)");
  }
  if (result.failure.focusControl != focus) {
    return ::testing::AssertionFailure() << "focus " << result.failure.focusControl;
  }
  return ::testing::AssertionSuccess();
}

// A program folder with data\glyphs.txt as its only definition file and a BMP.
class RunConversionTest : public ::testing::Test {
 protected:
  RunConversionTest() : picture_(PatternPicture(25, 38)) {}

  void SetUp() override {
    ASSERT_EQ(::GetACP(), 932u) << "these tests need code page 932";
    dibImage.Reset();
    ReleaseConversion(conversionState);
    MakeFolder(program_.Child("data"));
    WriteBytes(Definitions(), GreySet());
    WriteBytes(PicturePath(), BmpFile(picture_));
    ASSERT_TRUE(BuildDefinitionCatalog(program_.path().c_str(), catalog_));
    ASSERT_EQ(catalog_.count, 1u);
  }

  void TearDown() override {
    dibImage.Reset();
    ReleaseConversion(conversionState);
  }

  std::string Definitions() const { return program_.Child("data\\glyphs.txt"); }
  std::string PicturePath() const { return program_.Child("picture.bmp"); }

  ConversionResult Run(int32_t selection, const char* width, const char* height,
                       const std::string& picturePath) {
    return RunConversion(program_.path().c_str(), catalog_, selection, ReadBlockField(width),
                         ReadBlockField(height), picturePath.c_str());
  }
  ConversionResult RunValid() { return Run(0, "3", "6", PicturePath()); }

  TestFolder program_{std::string("_") + kSo};
  Picture picture_;
  OwnedCatalog catalog_;
};

TEST_F(RunConversionTest, ConvertsThePictureAsTheEngineDoes) {
  // EngineText uses the conversion state too, so it runs before each conversion.
  const std::string expected = EngineText(picture_, GreySet(), 3, 6);
  ASSERT_TRUE(RunValid().ok);
  ASSERT_NE(conversionState.ArtText, nullptr);
  EXPECT_EQ(std::string(conversionState.ArtText), expected);

  const std::string small = EngineText(picture_, GreySet(), 2, 1);
  ASSERT_TRUE(Run(0, " 2", "1", PicturePath()).ok) << "leading spaces pass the check";
  EXPECT_EQ(std::string(conversionState.ArtText), small);
}

TEST_F(RunConversionTest, EveryFailureHasItsMessageAndFocus) {
  EXPECT_TRUE(Failed(Run(-1, "3", "6", PicturePath()), kSelectMessage, kFocusDefinition));
  EXPECT_TRUE(Failed(Run(1, "3", "6", PicturePath()), kSelectMessage, kFocusDefinition))
      << "an index one past the catalogue";
  EXPECT_TRUE(Failed(Run(INT32_MIN, "3", "6", PicturePath()), kSelectMessage, kFocusDefinition));

  for (const char* width : {"", "0", "abc", "-3", "2147483648", "4294967295", "4294967296"}) {
    EXPECT_TRUE(Failed(Run(0, width, "6", PicturePath()), kWidthMessage, kFocusBlockWidth))
        << "width '" << width << "'";
  }
  for (const char* height : {"", "0", "abc", "-3", "2147483648", "4294967295"}) {
    EXPECT_TRUE(Failed(Run(0, "3", height, PicturePath()), kHeightMessage, kFocusBlockHeight))
        << "height '" << height << "'";
  }
  for (const char* valid : {"2147483647", "3", "   3"}) {
    EXPECT_TRUE(Run(0, valid, valid, PicturePath()).ok) << valid;
  }

  EXPECT_TRUE(Failed(Run(0, "3", "6", program_.Child("missing.bmp")), kPictureMessage,
                     kFocusImagePath));
  EXPECT_TRUE(Failed(Run(0, "3", "6", ""), kPictureMessage, kFocusImagePath));
  WriteBytes(program_.Child("noise.bmp"), "BM this is no picture at all");
  EXPECT_TRUE(Failed(Run(0, "3", "6", program_.Child("noise.bmp")), kPictureMessage,
                     kFocusImagePath));
}

TEST_F(RunConversionTest, AnEntryWithoutFileNameIsInvalid) {
  CatalogEntry entries[2] = {};
  std::strcpy(entries[0].fileName, "glyphs.txt");
  std::strcpy(entries[1].displayName, "nameless");
  DefinitionCatalog catalog{entries, 2};
  EXPECT_TRUE(Failed(RunConversion(program_.path().c_str(), catalog, 1, 3, 6,
                                   PicturePath().c_str()),
                     kInvalidEntryMessage, kFocusDefinition));
  EXPECT_TRUE(RunConversion(program_.path().c_str(), catalog, 0, 3, 6, PicturePath().c_str()).ok);
}

TEST_F(RunConversionTest, UnreadableDefinitionFilesFailAtTheDefinitionStep) {
  OwnedCatalog catalog;
  MakeFolder(program_.Child("data\\fonts.txt"));
  WriteBytes(program_.Child("data\\nomarker.txt"), "no record marker\r\n#DATA\r\n#data \r\nA\r\n");
  WriteBytes(program_.Child("data\\gone.txt"), "#data\r\nA\r\n");
  ASSERT_TRUE(BuildDefinitionCatalog(program_.path().c_str(), catalog));
  ::DeleteFileA(program_.Child("data\\gone.txt").c_str());

  for (uint32_t i = 0; i < catalog.count; ++i) {
    const std::string name = catalog.entries[i].fileName;
    if (name == "glyphs.txt") continue;
    EXPECT_TRUE(Failed(RunConversion(program_.path().c_str(), catalog, static_cast<int32_t>(i),
                                     3, 6, PicturePath().c_str()),
                       kDefinitionMessage, kFocusDefinition))
        << name;
  }
}

TEST_F(RunConversionTest, TheFirstFailingCheckWins) {
  EXPECT_TRUE(Failed(Run(-1, "0", "0", ""), kSelectMessage, kFocusDefinition));
  EXPECT_TRUE(Failed(Run(0, "abc", "0", ""), kWidthMessage, kFocusBlockWidth))
      << "width and height both invalid";
  ::DeleteFileA(Definitions().c_str());
  EXPECT_TRUE(Failed(Run(0, "3", "0", program_.Child("missing.bmp")), kHeightMessage,
                     kFocusBlockHeight));
  EXPECT_TRUE(Failed(Run(0, "3", "6", program_.Child("missing.bmp")), kDefinitionMessage,
                     kFocusDefinition))
      << "unreadable definition file with a missing picture";
}

TEST_F(RunConversionTest, FailuresBeforeThePictureKeepThePreviousResult) {
  ASSERT_TRUE(RunValid().ok);
  const char* text = conversionState.ArtText;
  const std::string before = text;
  const HBITMAP bitmap = dibImage.bitmap;

  EXPECT_FALSE(Run(-1, "3", "6", PicturePath()).ok);
  EXPECT_FALSE(Run(0, "0", "6", PicturePath()).ok);
  EXPECT_FALSE(Run(0, "3", "0", PicturePath()).ok);
  WriteBytes(Definitions(), "no records any more");
  EXPECT_FALSE(Run(0, "3", "6", PicturePath()).ok);

  EXPECT_EQ(conversionState.ArtText, text);
  EXPECT_EQ(std::string(conversionState.ArtText), before);
  EXPECT_EQ(dibImage.bitmap, bitmap);
}

TEST_F(RunConversionTest, AFailureAtThePictureLeavesNoText) {
  ASSERT_TRUE(RunValid().ok);
  ASSERT_NE(conversionState.ArtText, nullptr);

  EXPECT_TRUE(Failed(Run(0, "3", "6", program_.Child("missing.bmp")), kPictureMessage,
                     kFocusImagePath));
  EXPECT_EQ(conversionState.ArtText, nullptr);
  EXPECT_EQ(conversionState.PixelGrid, nullptr);
  EXPECT_EQ(dibImage.bitmap, nullptr);
  EXPECT_EQ(dibImage.memoryDc, nullptr);
}

TEST_F(RunConversionTest, ReadsTheDefinitionFileAnewOnEveryConversion) {
  WriteBytes(Definitions(), Record('A', 128, 128, 128));
  ASSERT_TRUE(RunValid().ok);
  const std::string first = conversionState.ArtText;
  EXPECT_NE(first.find('A'), std::string::npos);
  EXPECT_EQ(first.find('Z'), std::string::npos);

  WriteBytes(Definitions(), Record('Z', 128, 128, 128));
  ASSERT_TRUE(RunValid().ok);
  const std::string second = conversionState.ArtText;
  EXPECT_EQ(second.find('A'), std::string::npos) << "the edited file is used";
  EXPECT_EQ(first.size(), second.size());
}

TEST_F(RunConversionTest, OnlyTheFirst256RecordsTakePart) {
  const Picture grey{27, 18, std::vector<uint8_t>(27 * 18 * 3, 100)};
  WriteBytes(PicturePath(), BmpFile(grey));
  const std::string distant = Record('a', 0, 0, 0);
  const std::string exact = Record('Z', 100, 100, 100);

  std::string limit;
  for (int i = 0; i < 255; ++i) limit += distant;
  WriteBytes(Definitions(), limit + exact);
  ASSERT_TRUE(RunValid().ok);
  EXPECT_STREQ(conversionState.ArtText, "ZZZ\r\n") << "record 256 takes part";

  WriteBytes(Definitions(), limit + distant + exact + exact);
  ASSERT_TRUE(RunValid().ok);
  EXPECT_STREQ(conversionState.ArtText, "aaa\r\n") << "records 257 and on do not";
}

TEST_F(RunConversionTest, ADefinitionPathBeyond259BytesFailsAtTheDefinitionStep) {
  // folder + "\data\" + "glyphs.txt" + NUL: 243 + 6 + 10 + 1 = 260 bytes.
  const std::string fits = PaddedFolder(program_.path(), 243);
  EXPECT_TRUE(RunConversion(fits.c_str(), catalog_, 0, 3, 6, PicturePath().c_str()).ok);
  for (size_t length : {244u, 259u, 300u}) {
    const std::string tooLong = PaddedFolder(program_.path(), length);
    EXPECT_TRUE(Failed(RunConversion(tooLong.c_str(), catalog_, 0, 3, 6, PicturePath().c_str()),
                       kDefinitionMessage, kFocusDefinition))
        << length;
    EXPECT_TRUE(Failed(RunConversion(tooLong.c_str(), catalog_, 0, 0, 6, PicturePath().c_str()),
                       kWidthMessage, kFocusBlockWidth))
        << "the block checks still come first";
  }

  // A fixed field without NUL is never read past its 260 bytes.
  CatalogEntry unterminated;
  std::memset(unterminated.fileName, 'a', sizeof(unterminated.fileName));
  std::memset(unterminated.displayName, 'a', sizeof(unterminated.displayName));
  DefinitionCatalog catalog{&unterminated, 1};
  EXPECT_TRUE(Failed(RunConversion(program_.path().c_str(), catalog, 0, 3, 6,
                                   PicturePath().c_str()),
                     kDefinitionMessage, kFocusDefinition));
}

TEST_F(RunConversionTest, APicturePathBeyond259BytesFailsAtThePictureStep) {
  const std::string longest = PaddedFolder(program_.path(), 259 - 12) + "\\picture.bmp";
  ASSERT_EQ(longest.size(), 259u);
  EXPECT_TRUE(Run(0, "3", "6", longest).ok) << "259 bytes is the longest picture path";

  const std::string tooLong = PaddedFolder(program_.path(), 260 - 12) + "\\picture.bmp";
  EXPECT_TRUE(Failed(Run(0, "3", "6", tooLong), kPictureMessage, kFocusImagePath));
  EXPECT_EQ(conversionState.ArtText, nullptr);
}

}  // namespace
