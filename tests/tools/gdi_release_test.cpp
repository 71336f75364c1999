#include <windows.h>

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "render/glyph_renderer.h"
#include "tools/glyphgen/glyph_set.h"

namespace {

DWORD GdiObjectCount() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

// Every way out of the renderer, the failures included, gives back the DC, the
// font and the bitmaps it took.
TEST(GdiReleaseTest, RenderingLeavesNoGdiObjectBehind) {
  if (GdiObjectCount() == 0) GTEST_SKIP() << "this system does not count GDI objects";
  GlyphRendering options;
  std::string error;
  ASSERT_TRUE(ParseGlyphSet("ascii,kana", &options.characters, &error)) << error;
  std::vector<GlyphCell> cells;
  ASSERT_TRUE(RenderGlyphCells(options, &cells, &error)) << error;  // first use sets up GDI
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(RenderGlyphCells(options, &cells, &error)) << error;
  options.pixelHeight = 40;  // cells drawn larger and scaled
  ASSERT_TRUE(RenderGlyphCells(options, &cells, &error)) << error;
  options.fontFace = "No Such Font Glyphrane";
  EXPECT_FALSE(RenderGlyphCells(options, &cells, &error));
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
