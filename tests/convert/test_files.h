#ifndef GLYPHRANE_TESTS_CONVERT_TEST_FILES_H_
#define GLYPHRANE_TESTS_CONVERT_TEST_FILES_H_

#include <string>

// A file in the test's own temporary folder, removed when the object ends.
class TempFile {
 public:
  explicit TempFile(const std::string& contents);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const char* path() const { return path_.c_str(); }
  void Rewrite(const std::string& contents) const;

 private:
  std::string path_;
};

// A path where no file exists.
std::string MissingFilePath();

#endif  // GLYPHRANE_TESTS_CONVERT_TEST_FILES_H_
