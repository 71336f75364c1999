#ifndef GLYPHRANE_TESTS_SUPPORT_FILE_BYTES_H_
#define GLYPHRANE_TESTS_SUPPORT_FILE_BYTES_H_

#include <string>

// Files and folders through the ANSI functions, so that names are CP932 bytes.

// Writes the file whole; false when it cannot be made or written whole.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// These record each failure against the running test.
void MakeFolder(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The file's bytes; empty, with a failure recorded, when it cannot be read.
std::string ReadBytes(const std::string& path);

#endif  // GLYPHRANE_TESTS_SUPPORT_FILE_BYTES_H_
