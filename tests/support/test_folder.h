#ifndef GLYPHRANE_TESTS_SUPPORT_TEST_FOLDER_H_
#define GLYPHRANE_TESTS_SUPPORT_TEST_FOLDER_H_

#include <string>

// A fresh folder of the test's own under the temporary folder, removed with all
// it holds when the object ends. Paths are Windows paths in code page 932; the
// suffix ends the folder's name and may hold double-byte characters.
class TestFolder {
 public:
  explicit TestFolder(const std::string& suffix = "");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string Child(const std::string& relative) const { return path_ + "\\" + relative; }

  // Each makes the folders on the way to relative as needed; false on failure.
  bool Write(const std::string& relative, const std::string& bytes) const;
  bool MakeFolder(const std::string& relative) const;
  // Copies the file at source (a Windows path) to relative.
  bool CopyIn(const std::string& source, const std::string& relative) const;

 private:
  std::string path_;
};

#endif  // GLYPHRANE_TESTS_SUPPORT_TEST_FOLDER_H_
