#ifndef GLYPHRANE_APP_CLI_CLI_ARGUMENTS_H_
#define GLYPHRANE_APP_CLI_CLI_ARGUMENTS_H_

#include <cstdint>

enum class CliCommand { kConvert, kList, kHelp };

// What the console converter was asked to do. The strings point into argv.
struct CliOptions {
  CliCommand command = CliCommand::kConvert;
  const char* definitionName = nullptr;  // --definition: a catalogue display name
  const char* definitionFile = nullptr;  // --definition-file: a path, no catalogue
  uint32_t blockWidth = 3;               // --block WxH, each read as a block field
  uint32_t blockHeight = 6;
  const char* picturePath = nullptr;
  const char* renderPath = nullptr;      // --render FILE: a PNG of the text as drawn
  bool score = false;                    // --score: how much it looks like the picture
};

// Reads the command line (argv[0] is the program):
//   [--definition NAME | --definition-file FILE] [--block WxH] [--render PNG]
//   [--score] PICTURE
//   --list
//   --help
// "--" ends the options, so that a picture name may start with "-". The two block
// numbers are read by the block fields' rule, so "--block abcx6" parses with a
// width of 0 and fails later as an invalid width, as in the dialog. False for a
// usage fault: an unknown or repeated option, a missing value, both definition
// options, a block value without "x", no picture or more than one, or --list or
// --help with anything else.
bool ParseCliArguments(int argc, const char* const* argv, CliOptions& options);

// The usage text, code page 932: on standard error for a usage fault, on standard
// output for --help.
extern const char kCliUsage[];

#endif  // GLYPHRANE_APP_CLI_CLI_ARGUMENTS_H_
