#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tools/glyphgen/generator_options.h"

namespace {

bool Parse(std::vector<const char*> arguments, GeneratorOptions* options, std::string* error) {
  arguments.insert(arguments.begin(), "glyphrane-glyphgen");
  return ParseGeneratorOptions(static_cast<int>(arguments.size()), arguments.data(), options,
                               error);
}

TEST(GeneratorOptionsTest, DefaultsAreThePanesFontFillingTheDefaultTile) {
  GeneratorOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--output", "out.txt"}, &options, &error)) << error;
  EXPECT_EQ(options.outputPath, "out.txt");
  EXPECT_EQ(options.fontFace, "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e")
      << "ＭＳ ゴシック in code page 932";
  EXPECT_EQ(options.TileWidth(), 9);
  EXPECT_EQ(options.TileHeight(), 18);
  EXPECT_EQ(options.FontHeight(), 18);
  EXPECT_EQ(options.characters.size(), 95u);
  EXPECT_TRUE(options.atlasPath.empty());
}

TEST(GeneratorOptionsTest, EveryOptionIsTaken) {
  GeneratorOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"-o", "x.txt", "--block", "2x4", "--font", "IPAGothic", "--height", "30",
                     "--set", "kana", "--tone", "raw", "--edge-scale", "1/4", "--antialias", "on",
                     "--atlas", "x.pgm"},
                    &options, &error))
      << error;
  EXPECT_EQ(options.blockWidth, 2);
  EXPECT_EQ(options.blockHeight, 4);
  EXPECT_EQ(options.FontHeight(), 30) << "an explicit height wins over the tile's";
  EXPECT_EQ(options.fontFace, "IPAGothic");
  EXPECT_EQ(options.characters.size(), 63u);
  EXPECT_FALSE(options.stretchTone);
  EXPECT_EQ(options.edgeNumerator, 1);
  EXPECT_EQ(options.edgeDenominator, 4);
  EXPECT_TRUE(options.antialiased);
  EXPECT_EQ(options.atlasPath, "x.pgm");

  ASSERT_TRUE(Parse({"-o", "x", "--edge-scale", "0"}, &options, &error)) << error;
  EXPECT_EQ(options.edgeNumerator, 0);
  EXPECT_EQ(options.edgeDenominator, 1);
  ASSERT_TRUE(Parse({"-o", "x", "--edge-scale", "1", "--block", "64x1"}, &options, &error));
  EXPECT_EQ(options.edgeNumerator, 1);
  EXPECT_EQ(options.blockWidth, 64);
  ASSERT_TRUE(Parse({"-o", "x", "--search", "0", "--search-edges", "40", "--glyph-floor", "60"},
                    &options, &error));
  EXPECT_EQ(options.searchPasses, 0);
  EXPECT_EQ(options.searchEdgeWeight, 40);
  EXPECT_EQ(options.glyphFloor, 60);
}

TEST(GeneratorOptionsTest, HelpNeedsNothingElse) {
  GeneratorOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--help"}, &options, &error));
  EXPECT_TRUE(options.showUsage);
  EXPECT_NE(std::string(GeneratorUsage()).find("--edge-scale"), std::string::npos);
}

TEST(GeneratorOptionsTest, BadCommandLinesAreRefusedWithAReason) {
  struct Case {
    std::vector<const char*> arguments;
    const char* reason;
  };
  const Case cases[] = {
      {{}, "no output file"},
      {{"--set", "ascii"}, "no output file"},
      {{"-o", "x", "--colour", "red"}, "unknown option \"--colour\""},
      {{"-o", "x", "out.txt"}, "unknown option \"out.txt\""},
      {{"-o", "x", "--block"}, "needs a value"},
      {{"-o", "x", "--block", "0x6"}, "cannot read \"0x6\""},
      {{"-o", "x", "--block", "3x"}, "cannot read"},
      {{"-o", "x", "--block", "x6"}, "cannot read"},
      {{"-o", "x", "--block", "3x65"}, "cannot read"},
      {{"-o", "x", "--block", "3*6"}, "cannot read"},
      {{"-o", "x", "--height", "0"}, "cannot read"},
      {{"-o", "x", "--height", "-18"}, "cannot read"},
      {{"-o", "x", "--height", "1025"}, "cannot read"},
      {{"-o", "x", "--edge-scale", "2/1"}, "cannot read"},
      {{"-o", "x", "--edge-scale", "1/0"}, "cannot read"},
      {{"-o", "x", "--edge-scale", "1/"}, "cannot read"},
      {{"-o", "x", "--edge-scale", "0.5"}, "cannot read"},
      {{"-o", "x", "--tone", "bright"}, "cannot read"},
      {{"-o", "x", "--antialias", "yes"}, "cannot read"},
      {{"-o", "x", "--font", ""}, "cannot read"},
      {{"-o", "x", "--set", "0x7F"}, "holds no character"},
      {{"-o", "x", "--neighbours", "21"}, "cannot read"},
      {{"-o", "x", "--search", "21"}, "cannot read"},
      {{"-o", "x", "--search-edges", "-1"}, "cannot read"},
      {{"-o", "x", "--glyph-floor", "257"}, "cannot read"},
      {{"-o", "x", "--cost", "blocks", "--neighbours", "1"}, "needs the similarity cost"},
  };
  for (const Case& c : cases) {
    GeneratorOptions options;
    std::string error;
    std::string line;
    for (const char* a : c.arguments) line += std::string(a) + " ";
    EXPECT_FALSE(Parse(c.arguments, &options, &error)) << line;
    EXPECT_NE(error.find(c.reason), std::string::npos) << line << ": " << error;
  }
}

}  // namespace
