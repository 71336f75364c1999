// The sizes picture headers declare, read from the file's start only. Every input
// ends right before a page that faults, and every prefix of each is read too, so a
// read past the end shows on every platform.
#include <cstdint>
#include <string>

#include "gtest/gtest.h"
#include "image/declared_picture_size.h"
#include "tests/parsers/guarded_bytes.h"

namespace {

std::string Be16(uint32_t v) { return {static_cast<char>(v >> 8), static_cast<char>(v)}; }
std::string Be32(uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

// A JPEG start: SOI, the segments given, then a baseline frame header.
std::string Jpeg(const std::string& before, uint32_t width, uint32_t height,
                 char frame = '\xC0') {
  return std::string("\xFF\xD8", 2) + before + '\xFF' + frame + Be16(17) + '\x08' +
         Be16(height) + Be16(width) + std::string("\x03\x01\x22\x00", 4);
}
std::string Segment(char marker, const std::string& body) {
  return std::string(1, '\xFF') + marker + Be16(static_cast<uint32_t>(body.size() + 2)) + body;
}
std::string Png(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
         std::string("\x08\x02\x00\x00\x00", 5);
}

struct Case {
  const char* name;
  std::string file;
  bool declared;
  uint32_t width, height;
  bool fits;
};

TEST(DeclaredPictureSizeTest, ReadsJpegAndPngSizesAndNothingElse) {
  const Case cases[] = {
      {"baseline JPEG", Jpeg("", 640, 480), true, 640, 480, true},
      {"progressive JPEG", Jpeg("", 7, 9, '\xC2'), true, 7, 9, true},
      {"after APP0 and a table", Jpeg(Segment('\xE0', "JFIF") + Segment('\xDB', std::string(65, 'q')), 3, 2),
       true, 3, 2, true},
      {"after fill bytes and a restart marker", Jpeg("\xFF\xFF\xFF\xD0", 5, 5), true, 5, 5, true},
      {"DHT is no frame header", Jpeg(Segment('\xC4', "xy"), 8, 1), true, 8, 1, true},
      {"lying JPEG", Jpeg("", 65500, 65500), true, 65500, 65500, false},
      {"largest that fits", Jpeg("", 32768, 16383), true, 32768, 16383, true},
      {"one row more", Jpeg("", 32768, 16384), true, 32768, 16384, false},
      {"JPEG of height 0 (learnt later)", Jpeg("", 65535, 0), true, 65535, 0, true},
      {"scan before any frame", std::string("\xFF\xD8", 2) + Segment('\xDA', "abc"), false, 0, 0, true},
      {"segment length below 2", std::string("\xFF\xD8\xFF\xE0\x00\x01", 6), false, 0, 0, true},
      {"segment longer than the file", std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6) + "x", false, 0, 0, true},
      {"no marker where one must be", std::string("\xFF\xD8Z", 3), false, 0, 0, true},
      {"PNG", Png(24, 18), true, 24, 18, true},
      {"lying PNG", Png(100000, 100000), true, 100000, 100000, false},
      {"PNG wider than a signed count", Png(0x80000000u, 1), true, 0x80000000u, 1, false},
      {"PNG without IHDR first", std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IDAT" + Be32(1) + Be32(1),
       false, 0, 0, true},
      {"BMP is not read here", std::string("BM") + std::string(60, '\x7F'), false, 0, 0, true},
      {"empty", "", false, 0, 0, true},
  };
  for (const Case& c : cases) {
    GuardedBytes whole(c.file);
    uint32_t width = 1, height = 1;
    EXPECT_EQ(ReadDeclaredPictureSize(whole.data(), whole.size(), &width, &height), c.declared)
        << c.name;
    if (c.declared) {
      EXPECT_EQ(width, c.width) << c.name;
      EXPECT_EQ(height, c.height) << c.name;
    }
    EXPECT_EQ(DeclaredSizeFitsABitmap(whole.data(), whole.size()), c.fits) << c.name;
    // Every cut-short start: never a read past it, and a size only when complete.
    for (size_t length = 0; length < c.file.size(); ++length) {
      GuardedBytes prefix(c.file.substr(0, length));
      if (ReadDeclaredPictureSize(prefix.data(), prefix.size(), &width, &height)) {
        EXPECT_TRUE(c.declared) << c.name << ", first " << length << " bytes";
      }
    }
  }
}

}  // namespace
