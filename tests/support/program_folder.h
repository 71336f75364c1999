#ifndef GLYPHRANE_TESTS_SUPPORT_PROGRAM_FOLDER_H_
#define GLYPHRANE_TESTS_SUPPORT_PROGRAM_FOLDER_H_

#include <string>
#include <vector>

#include "tests/support/test_folder.h"

// A program folder of the test's own, laid out as a user has it: the Netpbm
// plug-in of this build (netpbmPlugin, a path on the build machine) and the sample
// glyph set under each of definitionNames in data\. The program files themselves
// are the test's to add. Removed with all it holds when the object ends.
class ProgramFolder : public TestFolder {
 public:
  ProgramFolder(const std::string& suffix, const char* netpbmPlugin,
                const std::vector<std::string>& definitionNames);
};

#endif  // GLYPHRANE_TESTS_SUPPORT_PROGRAM_FOLDER_H_
