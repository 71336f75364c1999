#ifndef GLYPHRANE_TESTS_IMAGE_TEST_SUPPORT_H_
#define GLYPHRANE_TESTS_IMAGE_TEST_SUPPORT_H_

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "image/dib_image.h"
#include "tests/support/test_folder.h"

struct Bgr {
  int blue, green, red;
  bool operator==(const Bgr& other) const {
    return blue == other.blue && green == other.green && red == other.red;
  }
};
std::ostream& operator<<(std::ostream& out, const Bgr& pixel);

// The 5 x 3 pattern of the committed pictures (tests/image/data/make_pictures.sh).
const int kPatternWidth = 5;
const int kPatternHeight = 3;
Bgr PatternPixel(int x, int y);

// Pixel (x, y), y counted from the top, of a 32-bit bottom-up section's bits.
Bgr PixelAt(const void* bits, int width, int height, int x, int y);
// The same for a held picture, and for any 32-bit DIB section handle.
Bgr HeldPixel(const DibImage& holder, int x, int y);
Bgr SectionPixel(HBITMAP section, int x, int y);

// A holder of the test's own, emptied when the test ends.
struct TestHolder : DibImage {
  ~TestHolder() { Reset(); }
};

// Paths of what the build places beside the test program.
std::string DataFile(const char* name);
std::string TestPlugin(const char* name);  // e.g. "scripted_a.spi"
std::string NetpbmPlugin();

// A folder of the test's own whose writes hand back the new file's path, any
// failure recorded against the test.
class TempFolder : public TestFolder {
 public:
  explicit TempFolder(const char* suffix = "") : TestFolder(suffix) {}

  // Writes bytes as name in the folder and returns the file's path.
  std::string Write(const char* name, const std::string& bytes) const;
  // Copies source in as name and returns the new path.
  std::string Copy(const std::string& source, const char* name) const;
};

// The plug-in files of folder in the order the directory search returns them.
std::vector<std::string> DirectoryOrder(const std::string& folder);

// Plug-ins of folder loaded into a table of the test's own, unloaded at its end.
class LoadedPlugins {
 public:
  explicit LoadedPlugins(const std::string& folder);
  ~LoadedPlugins();
  LoadedPlugins(const LoadedPlugins&) = delete;
  LoadedPlugins& operator=(const LoadedPlugins&) = delete;

  PluginTable table;
};

// A file the scripted test plug-ins read: the magic and one command letter.
std::string ScriptedFile(char command);

// A BMP file: 24 bits, or 8 bits with palette; rows given top-down as
// pixels (24 bits) or indices (8 bits); stored top-down when topDown.
std::string Bmp24(int width, int height, const std::vector<Bgr>& pixels, bool topDown);
std::string Bmp8(int width, int height, const std::vector<Bgr>& palette,
                 const std::vector<int>& indices);

// True when nothing holds the file open any more: it can be deleted.
bool DeleteIfClosed(const std::string& path);

#endif  // GLYPHRANE_TESTS_IMAGE_TEST_SUPPORT_H_
