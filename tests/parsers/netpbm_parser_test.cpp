// The Netpbm parser on hand-picked well-formed and malformed input. Every input
// ends right before a page that cannot be read, so a read past its end faults
// instead of passing.

#include "image/plugins/netpbm/netpbm_parser.h"

#include <string>

#include "gtest/gtest.h"
#include "tests/parsers/guarded_bytes.h"

namespace {

// Parses and decodes; false at the first step that refuses the input.
bool Decodes(const std::string& bytes) {
  GuardedBytes input(bytes);
  NetpbmHeader header;
  if (!ParseNetpbmHeader(input.data(), input.size(), &header)) return false;
  if (!NetpbmRasterMayFit(input.size(), header)) return false;
  GuardedBytes pixels(static_cast<size_t>(NetpbmPixelBytes(header)));
  return DecodeNetpbmRaster(input.data(), input.size(), header, pixels.data());
}

TEST(NetpbmParserTest, AcceptsWellFormedHeaders) {
  const char* const accepted[] = {
      "P1 1 1\n0",
      "P1\n#c\n2 1 01",              // bits need no separators
      "P4#c\n8 1\n\xFF",
      "P2 1 1 65535\n65535",
      "P3\t1\r1\v1\f1 0 1",
      "P5 1 1 255\n#",               // the raster byte may be any value
      "P6 1 1 65535\n\xFF\xFF\x01\x01\x12\x34",
      "P2 # a comment\n#another\n 1 # more\n 1 7 3",
  };
  for (const char* text : accepted) {
    const std::string bytes(text);
    EXPECT_TRUE(Decodes(bytes)) << bytes;
  }
}

TEST(NetpbmParserTest, RefusesMalformedInput) {
  const char* const refused[] = {
      "",
      "P",
      "P7 1 1 255\n",                // not a format read here
      "P5",                          // ends after the magic
      "P5 1",                        // ends in the header
      "P5 1 1",
      "P5 1 1 255",                  // no byte after the header
      "P5 1 1 255\n",                // no raster
      "P5 0 1 255\n\x00",            // zero width
      "P5 1 0 255\n\x00",            // zero height
      "P2 1 1 0\n0",                 // maxval 0
      "P2 1 1 65536\n0",             // maxval above 65535
      "P5 99999999999 1 255\n",      // width beyond 32 bits
      "P6 1000000000 3 255\n",       // bitmap beyond 32 bits
      "P5 65536 65536 255\n\x00",    // huge size, tiny raster
      "P4 9 1\n\xFF",                // a row of 9 bits needs two bytes
      "P6 1 1 65535\n\x00\x01\x02",  // two-byte samples cut short
      "P2 1 1 255\n256",             // sample above maxval
      "P2 1 1 255\n-1",              // not a number
      "P2 2 1 255\n1",               // too few samples
      "P1 1 1\n2",                   // not a bit
      "P1 1 1\n# only a comment",
      "P3 1 1 255 1 2 # comment running to the end",
  };
  for (const char* text : refused) {
    const std::string bytes(text);
    EXPECT_FALSE(Decodes(bytes)) << bytes;
  }
}

TEST(NetpbmParserTest, MagicNeedsASeparator) {
  const std::string good = "P6\n";
  EXPECT_TRUE(HasNetpbmMagic(reinterpret_cast<const uint8_t*>(good.data()), good.size()));
  for (const char* text : {"P6x", "P0 ", "p6 ", "P6"}) {
    const std::string bytes(text);
    EXPECT_FALSE(HasNetpbmMagic(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        << bytes;
  }
}

}  // namespace
