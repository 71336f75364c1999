// Runs the real glyphrane-cli.exe from a program folder of each test's own.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command/definition_catalog.h"
#include "command/program_state.h"
#include "command/run_conversion.h"
#include "gtest/gtest.h"
#include "image/dib_image.h"
#include "image/gdiplus_decoder.h"
#include "tests/support/process_runner.h"
#include "tests/command/command_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/program_paths.h"
#include "tests/support/sample_definitions.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kNewline = "\r\n";  // standard error is in text mode

// The scene pictures are made by ImageMagick at build time.
#ifdef GLYPHRANE_NO_IMAGEMAGICK
constexpr bool kScenePicturesMade = false;
#else
constexpr bool kScenePicturesMade = true;
#endif
constexpr char kNoScenePictures[] =
    "ImageMagick (convert) was not found when this build was configured, so the scene "
    "pictures in PNG, JPEG, PPM, PGM and BMP were not made";

struct OwnedCatalog : DefinitionCatalog {
  ~OwnedCatalog() { std::free(entries); }
};

// A set that picks the opposite characters of GreySet for the same colours.
std::string InverseSet() {
  return Record('.', 20, 20, 20) + Record('-', 90, 90, 90) + Record('+', 160, 160, 160) +
         Record('#', 230, 230, 230);
}

// Reads a binary PPM as ImageMagick writes it: "P6", width, height, 255, pixels.
Picture ReadPpm(const std::string& bytes) {
  Picture picture{0, 0, {}};
  size_t at = 2;
  int values[3] = {};
  for (int& value : values) {
    while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
    while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at]))) {
      value = value * 10 + (bytes[at++] - '0');
    }
  }
  ++at;  // the single white space byte before the pixels
  if (bytes.compare(0, 2, "P6") != 0 || values[2] != 255 ||
      bytes.size() - at != static_cast<size_t>(values[0]) * values[1] * 3) {
    ADD_FAILURE() << "not a P6 picture of 8-bit samples";
    return picture;
  }
  picture.width = values[0];
  picture.height = values[1];
  for (size_t i = at; i < bytes.size(); i += 3) {
    picture.bgr.push_back(static_cast<uint8_t>(bytes[i + 2]));
    picture.bgr.push_back(static_cast<uint8_t>(bytes[i + 1]));
    picture.bgr.push_back(static_cast<uint8_t>(bytes[i]));
  }
  return picture;
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyOrFail(const std::string& from, const std::string& to) {
  ASSERT_TRUE(::CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::GetACP(), 932u) << "these tests need code page 932";
    InstallProgram(program_.path(), "glyphrane-cli.exe");
    MakeFolder(program_.Child("data"));
    WriteBytes(program_.Child("data\\glyphs.txt"), GreySet());
    WriteBytes(PicturePath(), BmpFile(picture_));
  }

  // The program with the plug-ins built beside the tests, as shipped together.
  void InstallProgram(const std::string& folder, const std::string& name) {
    program_file_ = folder + "\\" + name;
    CopyOrFail(TestProgramFolder() + "\\glyphrane-cli.exe", program_file_);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((TestProgramFolder() + "\\*.spi").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do CopyOrFail(TestProgramFolder() + "\\" + found.cFileName, folder + "\\" + found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }

  std::string PicturePath() const { return program_.Child("picture.bmp"); }

  ProcessResult Cli(const std::vector<std::string>& arguments) {
    return RunProgram(program_file_, arguments, outputs_.path());
  }

  // The text of the same conversion run in this process.
  std::string InProcessText(const std::string& definitionPath, uint32_t blockWidth,
                            uint32_t blockHeight, const std::string& picturePath) {
    const ConversionResult result = RunConversionWithDefinitionFile(
        definitionPath.c_str(), blockWidth, blockHeight, picturePath.c_str());
    std::string text = result.ok ? conversionState.ArtText : "(failed)";
    dibImage.Reset();
    ReleaseConversion(conversionState);
    return text;
  }

  TestFolder program_{std::string("_") + kHyou};
  TestFolder outputs_;
  std::string program_file_;
  Picture picture_ = PatternPicture(31, 44);
};

TEST_F(CliTest, WritesTheEnginesTextToStandardOutput) {
  const ProcessResult result = Cli({PicturePath()});
  EXPECT_EQ(result.exitCode, 0u) << result.err;
  EXPECT_EQ(result.err, "");
  const std::string expected = EngineText(picture_, GreySet(), 3, 6);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(result.out, expected) << "CR LF row ends, no CR added, no NUL";
  EXPECT_EQ(result.out, InProcessText(program_.Child("data\\glyphs.txt"), 3, 6, PicturePath()));

  const ProcessResult small = Cli({"--block", "2x1", PicturePath()});
  EXPECT_EQ(small.exitCode, 0u) << small.err;
  EXPECT_EQ(small.out, EngineText(picture_, GreySet(), 2, 1));
}

TEST_F(CliTest, WritesTheWholeTextWhenAGlyphIsNul) {
  // A last line "#data" is a record of zeros, character NUL included: it wins the
  // black half, and the rows after it must still come out.
  Picture halves{18, 36, std::vector<uint8_t>(18 * 36 * 3, 255)};
  std::fill(halves.bgr.begin() + 18 * 18 * 3, halves.bgr.end(), 0);
  WriteBytes(PicturePath(), BmpFile(halves));
  const std::string definitions = Record('.', 230, 230, 230) + "#data\r\n";
  WriteBytes(program_.Child("data\\glyphs.txt"), definitions);

  const ProcessResult result = Cli({"--block", "1x1", PicturePath()});
  EXPECT_EQ(result.exitCode, 0u) << result.err;
  std::string expected;
  for (int row = 0; row < 12; ++row) expected += std::string(6, row < 6 ? '.' : '\0') + "\r\n";
  EXPECT_EQ(EngineText(halves, definitions, 1, 1), expected);
  EXPECT_EQ(result.out, expected);
}

TEST_F(CliTest, RendersAndScoresWithoutChangingTheText) {
  // A white picture takes the space of a set of "#" and " ": the rendering is blank
  // paper like the picture, so the tone figure is 1 and there is no edge at all.
  Picture paper{36, 36, std::vector<uint8_t>(36 * 36 * 3, 255)};
  WriteBytes(PicturePath(), BmpFile(paper));
  WriteBytes(program_.Child("data\\glyphs.txt"),
             Record('#', 0, 0, 0, 200) + Record(' ', 255, 255, 255));
  const std::string art = program_.Child("art.png");
  const ProcessResult scored = Cli({"--render", art, "--score", PicturePath()});
  EXPECT_EQ(scored.exitCode, 0u) << scored.err;
  EXPECT_EQ(scored.out, Cli({PicturePath()}).out) << "the text is the plain conversion's";
  EXPECT_EQ(scored.out, std::string(4, ' ') + "\r\n" + std::string(4, ' ') + "\r\n");
  EXPECT_EQ(scored.err, "スコア: 階調 1.0000 輪郭 0.0000" + kNewline);
  // The rendering: four cells of 9 x 18 across, two down, all paper.
  const HBITMAP drawn = LoadPictureViaGdiPlus(art.c_str());
  ASSERT_NE(drawn, nullptr) << "a PNG GDI+ reads";
  BITMAP bitmap{};
  ASSERT_TRUE(::GetObjectA(drawn, sizeof bitmap, &bitmap));
  EXPECT_EQ(bitmap.bmWidth, 36);
  EXPECT_EQ(bitmap.bmHeight, 36);
  const uint8_t* bits = static_cast<const uint8_t*>(bitmap.bmBits);
  int white = 0;
  for (int i = 0; i < 36 * 36; ++i) {
    white += bits[4 * i] == 255 && bits[4 * i + 1] == 255 && bits[4 * i + 2] == 255;
  }
  EXPECT_EQ(white, 36 * 36);
  ::DeleteObject(drawn);

  // A preview that cannot be written fails the run after the text is out.
  const ProcessResult unwritable = Cli({"--render", program_.Child("none\\art.png"), PicturePath()});
  EXPECT_EQ(unwritable.exitCode, 1u);
  EXPECT_EQ(unwritable.out, scored.out);
  EXPECT_EQ(unwritable.err, "プレビュー画像の書き込みに失敗しました。" + kNewline);
}

TEST_F(CliTest, ChoosesTheDefinitionByDisplayNameOrTakesTheFirstEntry) {
  WriteBytes(program_.Child("data\\inverse.set.txt"), InverseSet());
  OwnedCatalog catalog;
  ASSERT_TRUE(BuildDefinitionCatalog(program_.path().c_str(), catalog));
  ASSERT_EQ(catalog.count, 2u);
  const std::string grey = EngineText(picture_, GreySet(), 3, 6);
  const std::string inverse = EngineText(picture_, InverseSet(), 3, 6);
  ASSERT_NE(grey, inverse);

  EXPECT_EQ(Cli({"--definition", "glyphs", PicturePath()}).out, grey);
  EXPECT_EQ(Cli({"--definition", "inverse.set", PicturePath()}).out, inverse);
  const bool greyFirst = std::strcmp(catalog.entries[0].fileName, "glyphs.txt") == 0;
  EXPECT_EQ(Cli({PicturePath()}).out, greyFirst ? grey : inverse) << "the first entry";

  const ProcessResult unknown = Cli({"--definition", "inverse.set.txt", PicturePath()});
  EXPECT_EQ(unknown.exitCode, 1u);
  EXPECT_EQ(unknown.err, "定義ファイルを選択してください。" + kNewline);
  EXPECT_EQ(unknown.out, "");
}

TEST_F(CliTest, ReadsADefinitionFileAtAnyPath) {
  TestFolder elsewhere(std::string("_") + kSo + "x");
  const std::string file = elsewhere.Child(std::string("my ") + kHyou + ".glyphs");
  WriteBytes(file, InverseSet());
  ::DeleteFileA(program_.Child("data\\glyphs.txt").c_str());
  ASSERT_TRUE(::RemoveDirectoryA(program_.Child("data").c_str()));

  const ProcessResult result = Cli({"--definition-file", file, "--block", "1x2", PicturePath()});
  EXPECT_EQ(result.exitCode, 0u) << result.err;
  EXPECT_EQ(result.out, EngineText(picture_, InverseSet(), 1, 2)) << "no data folder needed";

  const ProcessResult missing =
      Cli({"--definition-file", elsewhere.Child("none.txt"), program_.Child("none.bmp")});
  EXPECT_EQ(missing.exitCode, 1u);
  EXPECT_EQ(missing.err, "定義ファイルの読み込みに失敗しました。" + kNewline)
      << "only the definition message, the picture is not tried";
}

TEST_F(CliTest, AFailedConversionWritesTheDialogsMessageAndExits1) {
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"--block", "abcx6", PicturePath()}, "ブロックの幅が無効です。"},
      {{"--block", "0x0", PicturePath()}, "ブロックの幅が無効です。"},
      {{"--block", "3x2147483648", PicturePath()}, "ブロックの高さが無効です。"},
      {{program_.Child("missing.bmp")}, "画像ファイルの読み込みに失敗しました。"},
      {{"--definition", "nothing", program_.Child("missing.bmp")},
       "定義ファイルを選択してください。"},
  };
  for (const Case& c : cases) {
    const ProcessResult result = Cli(c.arguments);
    EXPECT_EQ(result.exitCode, 1u) << c.message;
    EXPECT_EQ(result.err, c.message + kNewline);
    EXPECT_EQ(result.out, "") << c.message;
  }

  ::DeleteFileA(program_.Child("data\\glyphs.txt").c_str());
  const ProcessResult empty = Cli({PicturePath()});
  EXPECT_EQ(empty.exitCode, 1u);
  EXPECT_EQ(empty.err, "定義ファイルが見つかりません。起動を中止します。" + kNewline);
}

TEST_F(CliTest, AnOutputThatCannotBeWrittenIsAFailure) {
  const ProcessResult result = RunProgram(program_file_, {PicturePath()}, outputs_.path(), false);
  EXPECT_EQ(result.exitCode, 1u);
  EXPECT_EQ(result.err, "標準出力への書き込みに失敗しました。" + kNewline);
}

TEST_F(CliTest, UsageFaultsExit2WithTheUsageText) {
  // The parser's own tests hold the full list; these show how a fault leaves.
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--block", "36", PicturePath()}, {"--list", PicturePath()},
  };
  for (const auto& arguments : cases) {
    const ProcessResult result = Cli(arguments);
    EXPECT_EQ(result.exitCode, 2u);
    EXPECT_EQ(result.err.compare(0, std::strlen("使い方"), "使い方"), 0) << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(CliTest, HelpWritesTheUsageToStandardOutputAndExits0) {
  const ProcessResult usage = Cli({});
  const ProcessResult help = Cli({"--help"});
  EXPECT_EQ(help.exitCode, 0u) << help.err;
  EXPECT_EQ(help.err, "");
  ASSERT_FALSE(usage.err.empty());
  EXPECT_EQ(help.out, usage.err) << "the same text a usage fault shows";
  EXPECT_NE(help.out.find("--help"), std::string::npos);
}

TEST_F(CliTest, ListsTheDisplayNamesInCatalogueOrder) {
  for (const char* name : {"set.b.txt", "a.txt.txt", "\x83\x5C.txt"}) {
    WriteBytes(program_.Child(std::string("data\\") + name), "");
  }
  MakeFolder(program_.Child("data\\fonts.txt"));
  OwnedCatalog catalog;
  ASSERT_TRUE(BuildDefinitionCatalog(program_.path().c_str(), catalog));
  ASSERT_EQ(catalog.count, 5u);
  std::string expected;
  for (uint32_t i = 0; i < catalog.count; ++i) {
    expected += catalog.entries[i].displayName + std::string("\r\n");
  }
  const ProcessResult result = Cli({"--list"});
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_EQ(result.out, expected);
  EXPECT_NE(result.out.find("a.txt\r\n"), std::string::npos);
  EXPECT_NE(result.out.find("\x83\x5C\r\n"), std::string::npos);
}

TEST_F(CliTest, FindsItsDataFolderWhenTheFolderAndNameEndInA5CTrailByte) {
  // Cut at the 0x5C of "ソ" in the program's own name, the folder would be wrong.
  const std::string folder = program_.Child(std::string("b") + kSo);
  MakeFolder(folder);
  MakeFolder(folder + "\\data");
  WriteBytes(folder + "\\data\\only.txt", GreySet());
  InstallProgram(folder, std::string(kHyou) + kSo + ".exe");

  const ProcessResult list = Cli({"--list"});
  EXPECT_EQ(list.exitCode, 0u);
  EXPECT_EQ(list.out, "only\r\n");
  const ProcessResult converted = Cli({PicturePath()});
  EXPECT_EQ(converted.exitCode, 0u) << converted.err;
  EXPECT_EQ(converted.out, EngineText(picture_, GreySet(), 3, 6));
}

TEST_F(CliTest, ConvertsPngJpegAndNetpbmPictures) {
  if (!kScenePicturesMade) GTEST_SKIP() << kNoScenePictures;
  const std::string pictures = TestProgramFolder() + "\\pictures";
  const Picture ppm = ReadPpm(ReadBytes(pictures + "\\scene.ppm"));
  ASSERT_GT(ppm.width, 0);
  const std::string definitions = program_.Child("data\\glyphs.txt");
  const std::string lossless = EngineText(ppm, GreySet(), 3, 6);

  for (const char* name : {"scene.png", "scene.ppm", "scene.pgm", "scene.jpg", "scene.bmp"}) {
    const std::string path = pictures + "\\" + name;
    ASSERT_TRUE(Exists(path)) << path;
    const ProcessResult result = Cli({path});
    EXPECT_EQ(result.exitCode, 0u) << name << ": " << result.err;
    EXPECT_EQ(result.out, InProcessText(definitions, 3, 6, path)) << name;
    if (std::strstr(name, ".jpg") == nullptr && std::strstr(name, ".pgm") == nullptr) {
      EXPECT_EQ(result.out, lossless) << name << " decodes to the PPM's pixels";
    }
  }
}

TEST_F(CliTest, ConvertsEveryFormatWithEveryShippedGlyphSet) {
  if (!kScenePicturesMade) GTEST_SKIP() << kNoScenePictures;
  // The shipped sets take the place of the test's own, chosen by display name.
  const std::string shipped = TestProgramFolder() + "\\shipped_data";
  ::DeleteFileA(program_.Child("data\\glyphs.txt").c_str());
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((shipped + "\\*.txt").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no glyph set in " << shipped;
  do CopyOrFail(shipped + "\\" + found.cFileName, program_.Child("data\\") + found.cFileName);
  while (::FindNextFileA(search, &found));
  ::FindClose(search);

  OwnedCatalog catalog;
  ASSERT_TRUE(BuildDefinitionCatalog(program_.path().c_str(), catalog));
  ASSERT_GT(catalog.count, 0u);
  const std::string pictures = TestProgramFolder() + "\\pictures\\";
  for (uint32_t i = 0; i < catalog.count; ++i) {
    const std::string set = catalog.entries[i].displayName;
    const std::string file = program_.Child("data\\") + catalog.entries[i].fileName;
    for (const char* name : {"scene.png", "scene.jpg", "scene.bmp", "scene.ppm", "scene.pgm"}) {
      const ProcessResult result = Cli({"--definition", set, pictures + name});
      EXPECT_EQ(result.exitCode, 0u) << set << ", " << name << ": " << result.err;
      // 64 x 48 pixels in tiles of 9 x 18: two rows of seven characters and CR LF.
      EXPECT_EQ(result.out.size(), 18u) << set << ", " << name;
      EXPECT_EQ(result.out, InProcessText(file, 3, 6, pictures + name)) << set << ", " << name;
    }
  }
}

}  // namespace
