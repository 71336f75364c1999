#ifndef GLYPHRANE_TESTS_SUPPORT_PROGRAM_PATHS_H_
#define GLYPHRANE_TESTS_SUPPORT_PROGRAM_PATHS_H_

#include <string>

// The folder of the running test program, without a trailing backslash: the
// build places what the tests need beside the program.
std::string TestProgramFolder();

// A build output named by its path on the build machine, as Wine sees it (drive Z:).
std::string BuildOutputPath(const char* hostPath);

#endif  // GLYPHRANE_TESTS_SUPPORT_PROGRAM_PATHS_H_
