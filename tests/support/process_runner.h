#ifndef GLYPHRANE_TESTS_SUPPORT_PROCESS_RUNNER_H_
#define GLYPHRANE_TESTS_SUPPORT_PROCESS_RUNNER_H_

#include <string>
#include <vector>

// What a finished program left: its exit status and its two output streams,
// byte for byte.
struct ProcessResult {
  unsigned long exitCode = 0xFFFFFFFF;
  std::string out;
  std::string err;
};

// Runs program with arguments (each quoted; none may hold a quote or end in a
// backslash byte) and waits for it, its output going to files in outputFolder.
// With writableOutput false, standard output is a handle that refuses writes.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& outputFolder, bool writableOutput = true);

#endif  // GLYPHRANE_TESTS_SUPPORT_PROCESS_RUNNER_H_
