#ifndef GLYPHRANE_TESTS_DIALOG_TEST_FOLDER_H_
#define GLYPHRANE_TESTS_DIALOG_TEST_FOLDER_H_

#include <cstdint>
#include <string>

// A fresh folder under the temporary folder, made for one test and removed with
// everything in it when the object ends. Paths are Windows paths, code page 932.
class TestFolder {
 public:
  // nameStem is part of the folder's name; it may hold double-byte characters.
  explicit TestFolder(const std::string& nameStem = "glyphrane");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string At(const std::string& relative) const { return path_ + "\\" + relative; }

  // Writes bytes to relative (its folders are made as needed); false on failure.
  bool Write(const std::string& relative, const std::string& bytes) const;
  bool MakeFolder(const std::string& relative) const;
  // Copies the file at source (a Windows path) to relative.
  bool CopyIn(const std::string& source, const std::string& relative) const;

 private:
  std::string path_;
};

// A build output named by its path on the build machine, as Wine sees it (drive Z:).
std::string BuildOutputPath(const char* hostPath);

// The file's bytes, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// A definition file of four glyphs whose colours and edges differ, so that a
// picture with light, dark and edged areas gives several different characters.
std::string SampleDefinitions();

// A 24-bit bottom-up BMP of width x height: a dark disc on a light ground with a
// mid-grey band, so that the text art has edges and areas of each glyph.
std::string SamplePictureBmp(int32_t width, int32_t height);

#endif  // GLYPHRANE_TESTS_DIALOG_TEST_FOLDER_H_
