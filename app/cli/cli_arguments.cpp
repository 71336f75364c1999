#include "app/cli/cli_arguments.h"

#include <cstring>
#include <string>

#include "command/block_field.h"
#include "convert/option_text.h"

const char kCliUsage[] =
    "使い方: glyphrane-cli [--definition 名前 | --definition-file ファイル] "
    "[--block 幅x高さ]\n"
    "                     [--render 画像.png] [--score] 画像ファイル\n"
    "        glyphrane-cli --list\n"
    "        glyphrane-cli --help\n";

namespace {

// Each side is read as its dialog field would be.
bool ReadBlockSize(const char* value, CliOptions& options) {
  std::string width, height;
  if (!SplitBlockSize(value, &width, &height)) return false;
  options.blockWidth = ReadBlockField(width.c_str());
  options.blockHeight = ReadBlockField(height.c_str());
  return true;
}

bool Is(const char* argument, const char* option) { return std::strcmp(argument, option) == 0; }

}  // namespace

bool ParseCliArguments(int argc, const char* const* argv, CliOptions& options) {
  options = CliOptions{};
  // --list and --help each stand alone: the one given, or kConvert.
  CliCommand alone = CliCommand::kConvert;
  bool blockGiven = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (optionsEnded || argument[0] != '-' || argument[1] == '\0') {
      if (options.picturePath != nullptr) return false;
      options.picturePath = argument;
      continue;
    }
    if (Is(argument, "--")) {
      optionsEnded = true;
      continue;
    }
    if (Is(argument, "--list") || Is(argument, "--help")) {
      if (alone != CliCommand::kConvert) return false;
      alone = Is(argument, "--list") ? CliCommand::kList : CliCommand::kHelp;
      continue;
    }
    if (Is(argument, "--score")) {
      if (options.score) return false;
      options.score = true;
      continue;
    }
    // Every other option takes the next argument as its value.
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (Is(argument, "--definition")) {
      if (options.definitionName != nullptr || options.definitionFile != nullptr) return false;
      options.definitionName = value;
    } else if (Is(argument, "--definition-file")) {
      if (options.definitionName != nullptr || options.definitionFile != nullptr) return false;
      options.definitionFile = value;
    } else if (Is(argument, "--render")) {
      if (options.renderPath != nullptr) return false;
      options.renderPath = value;
    } else if (Is(argument, "--block")) {
      if (blockGiven || !ReadBlockSize(value, options)) return false;
      blockGiven = true;
    } else {
      return false;
    }
  }
  if (alone != CliCommand::kConvert) {
    options.command = alone;
    return options.picturePath == nullptr && options.definitionName == nullptr &&
           options.definitionFile == nullptr && !blockGiven && options.renderPath == nullptr &&
           !options.score;
  }
  return options.picturePath != nullptr;
}
