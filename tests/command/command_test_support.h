#ifndef GLYPHRANE_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_
#define GLYPHRANE_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_

#include <cstdint>
#include <string>
#include <vector>

// Double-byte characters whose trail byte is a backslash (0x5C) in code page 932.
constexpr char kSo[] = "\x83\x5C";     // ソ
constexpr char kHyou[] = "\x95\x5C";   // 表

// A fresh folder of the test's own under the temporary folder, removed with all
// it holds when the object ends. The name may carry a CP932 suffix.
class TestFolder {
 public:
  explicit TestFolder(const std::string& suffix = "");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string Child(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// File and folder helpers over the ANSI functions, so that names are CP932 bytes.
void MakeFolder(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// The folder grown to exactly length bytes by "\." steps, which name the same
// folder: paths can so be brought to any length without deep folder trees.
std::string PaddedFolder(const std::string& folder, size_t length);
// The folder of the running test program, without a trailing backslash.
std::string TestProgramFolder();

// A picture in memory: width x height pixels, top row first, 3 bytes each (B, G, R).
struct Picture {
  int32_t width;
  int32_t height;
  std::vector<uint8_t> bgr;
};

// A deterministic picture with colour and edges, so that glyph choices vary.
Picture PatternPicture(int32_t width, int32_t height);
// The picture as a 24-bit bottom-up BMP file.
std::string BmpFile(const Picture& picture);
// The picture as a binary PPM (P6) file.
std::string PpmFile(const Picture& picture);
// The text the engine writes for the picture's pixels, computed without any
// decoder. Leaves the conversion state empty.
std::string EngineText(const Picture& picture, const std::string& definitions,
                       int32_t blockWidth, int32_t blockHeight);

// One definition record; edges all edge.
std::string Record(char character, int blue, int green, int red, int edge = 0);
// A small glyph set over grey levels and one edge-heavy glyph.
std::string GreySet();

#endif  // GLYPHRANE_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_
