#include "render/glyph_renderer.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/win32_handles.h"
#include "render/cell_resample.h"

namespace {

// The characters are code page 932 whatever the system's code page, so they are
// turned into UTF-16 here rather than by TextOutA.
constexpr UINT kCharacterCodePage = 932;

int CALLBACK NoteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Asks for the family itself: a font that is created is never refused, since GDI
// substitutes another face for a missing one, so creating it proves nothing.
bool FontFamilyExists(HDC dc, const std::string& face) {
  LOGFONTA query{};
  query.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(query.lfFaceName, face.c_str(), face.size() + 1);
  bool found = false;
  ::EnumFontFamiliesExA(dc, &query, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

bool ToWideCharacter(unsigned char byte, wchar_t* wide) {
  char text[1] = {static_cast<char>(byte)};
  return ::MultiByteToWideChar(kCharacterCodePage, MB_ERR_INVALID_CHARS, text, 1, wide, 1) == 1;
}

// Draws one character at the top-left of a white cell of cellWidth x cellHeight
// pixels and returns the cell's grey bytes, rows top-down; empty on failure.
std::vector<uint8_t> DrawCell(HDC dc, wchar_t character, int32_t cellWidth,
                              int32_t cellHeight) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = cellWidth;
  info.bmiHeader.biHeight = -cellHeight;  // top-down: row 0 is the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedGdiObject<HBITMAP> bitmap(
      ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap.get() == nullptr || bits == nullptr) return {};
  ScopedSelection selected(dc, bitmap.get());
  if (!selected.ok()) return {};

  const size_t pixels = static_cast<size_t>(cellWidth) * cellHeight;
  std::memset(bits, 0xFF, pixels * 4);
  if (!::TextOutW(dc, 0, 0, &character, 1)) return {};
  ::GdiFlush();

  std::vector<uint8_t> grey(pixels);
  const uint8_t* pixel = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < pixels; ++i, pixel += 4) {
    grey[i] = static_cast<uint8_t>((pixel[0] + pixel[1] + pixel[2] + 1) / 3);
  }
  return grey;
}

}  // namespace

bool RenderGlyphCells(const GlyphRendering& options, std::vector<GlyphCell>* cells,
                      std::string* error) {
  if (options.fontFace.size() >= LF_FACESIZE) {
    *error = "the font face \"" + options.fontFace + "\" is longer than a face name can be";
    return false;
  }
  ScopedMemoryDc dc;
  if (dc.get() == nullptr) {
    *error = "cannot create a memory device context";
    return false;
  }
  if (!FontFamilyExists(dc.get(), options.fontFace)) {
    *error = "the font \"" + options.fontFace + "\" is not installed";
    return false;
  }
  ScopedGdiObject<HFONT> font(::CreateFontA(
      options.FontHeight(), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
      options.antialiased ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY, 0,
      options.fontFace.c_str()));
  if (font.get() == nullptr) {
    *error = "cannot create the font \"" + options.fontFace + "\"";
    return false;
  }
  ScopedSelection fontSelected(dc.get(), font.get());
  TEXTMETRICA metrics{};
  if (!fontSelected.ok() || !::GetTextMetricsA(dc.get(), &metrics) || metrics.tmHeight < 1) {
    *error = "cannot select the font \"" + options.fontFace + "\"";
    return false;
  }
  ::SetTextColor(dc.get(), RGB(0, 0, 0));
  ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextAlign(dc.get(), TA_TOP | TA_LEFT | TA_NOUPDATECP);

  cells->clear();
  for (unsigned char byte : options.characters) {
    wchar_t wide = 0;
    SIZE extent{};
    if (!ToWideCharacter(byte, &wide) || !::GetTextExtentPoint32W(dc.get(), &wide, 1, &extent)) {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", byte);
      *error = std::string("cannot render the character ") + code;
      return false;
    }
    // A character without advance still gets a cell, as the pane shows nothing there.
    const int32_t cellWidth = extent.cx > 0 ? extent.cx : 1;
    const int32_t cellHeight = metrics.tmHeight;
    std::vector<uint8_t> cell = DrawCell(dc.get(), wide, cellWidth, cellHeight);
    if (cell.empty()) {
      *error = "cannot draw into a bitmap of " + std::to_string(cellWidth) + " x " +
               std::to_string(cellHeight) + " pixels";
      return false;
    }
    if (cellWidth == options.TileWidth() && cellHeight == options.TileHeight()) {
      cells->push_back(std::move(cell));
    } else {
      cells->push_back(ResampleByArea(cell.data(), cellWidth, cellHeight, options.TileWidth(),
                                      options.TileHeight()));
    }
  }
  return true;
}
