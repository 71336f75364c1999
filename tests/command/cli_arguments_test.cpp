#include "app/cli/cli_arguments.h"

#include <vector>

#include "gtest/gtest.h"

namespace {

bool Parse(std::vector<const char*> arguments, CliOptions& options) {
  arguments.insert(arguments.begin(), "glyphrane-cli");
  return ParseCliArguments(static_cast<int>(arguments.size()), arguments.data(), options);
}

TEST(CliArgumentsTest, TakesThePictureWithTheDialogsDefaults) {
  CliOptions options;
  ASSERT_TRUE(Parse({"picture.bmp"}, options));
  EXPECT_EQ(options.command, CliCommand::kConvert);
  EXPECT_STREQ(options.picturePath, "picture.bmp");
  EXPECT_EQ(options.definitionName, nullptr);
  EXPECT_EQ(options.definitionFile, nullptr);
  EXPECT_EQ(options.blockWidth, 3u);
  EXPECT_EQ(options.blockHeight, 6u);
}

TEST(CliArgumentsTest, ReadsEveryOption) {
  CliOptions options;
  ASSERT_TRUE(Parse({"--block", "4x8", "--definition", "ascii", "p.png"}, options));
  EXPECT_STREQ(options.definitionName, "ascii");
  EXPECT_EQ(options.blockWidth, 4u);
  EXPECT_EQ(options.blockHeight, 8u);
  EXPECT_STREQ(options.picturePath, "p.png");

  ASSERT_TRUE(Parse({"p.png", "--definition-file", "C:\\g\\\x83\x5C.txt"}, options));
  EXPECT_STREQ(options.definitionFile, "C:\\g\\\x83\x5C.txt");
  EXPECT_STREQ(options.picturePath, "p.png");

  ASSERT_TRUE(Parse({"--", "--picture-with-dashes.bmp"}, options));
  EXPECT_STREQ(options.picturePath, "--picture-with-dashes.bmp");

  ASSERT_TRUE(Parse({"--score", "p.png", "--render", "art.png"}, options));
  EXPECT_TRUE(options.score);
  EXPECT_STREQ(options.renderPath, "art.png");

  ASSERT_TRUE(Parse({"--list"}, options));
  EXPECT_EQ(options.command, CliCommand::kList);

  ASSERT_TRUE(Parse({"--help"}, options));
  EXPECT_EQ(options.command, CliCommand::kHelp);
}

TEST(CliArgumentsTest, ReadsBlockNumbersByTheFieldRule) {
  struct Case {
    const char* value;
    uint32_t width;
    uint32_t height;
  };
  const Case cases[] = {
      {"abcx6", 0, 6}, {"3xabc", 3, 0}, {" 2x 5", 2, 5}, {"x6", 0, 6}, {"3x6x9", 3, 6},
  };
  for (const Case& c : cases) {
    CliOptions options;
    ASSERT_TRUE(Parse({"--block", c.value, "p.bmp"}, options)) << c.value;
    EXPECT_EQ(options.blockWidth, c.width) << c.value;
    EXPECT_EQ(options.blockHeight, c.height) << c.value;
  }
}

TEST(CliArgumentsTest, RefusesUsageFaults) {
  const std::vector<std::vector<const char*>> cases = {
      {},
      {"--block", "3x6"},
      {"a.bmp", "b.bmp"},
      {"--block", "36", "p.bmp"},
      {"--block"},
      {"p.bmp", "--definition"},
      {"--definition", "a", "--definition-file", "a.txt", "p.bmp"},
      {"--definition", "a", "--definition", "b", "p.bmp"},
      {"--block", "3x6", "--block", "3x6", "p.bmp"},
      {"--unknown", "p.bmp"},
      {"-b", "p.bmp"},
      {"--list", "p.bmp"},
      {"--list", "--definition", "a"},
      {"--list", "--list"},
      {"--help", "p.bmp"},
      {"--help", "--list"},
      {"--block", "3x6", "--help"},
      {"--help", "--help"},
      {"--score", "--score", "p.bmp"},
      {"--render", "a.png", "--render", "b.png", "p.bmp"},
      {"p.bmp", "--render"},
      {"--list", "--score"},
      {"--render", "a.png", "--help"},
  };
  for (const auto& arguments : cases) {
    CliOptions options;
    std::string shown;
    for (const char* a : arguments) shown += std::string(a) + " ";
    EXPECT_FALSE(Parse(arguments, options)) << shown;
  }
}

}  // namespace
