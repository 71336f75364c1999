// The dialog template and the icon group as the resource compiler stored them:
// the program depends on every style bit, rectangle and caption.
#include <windows.h>

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "resources/resource.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// Walks a resource's bytes: little-endian fields, UTF-16 strings, ordinals.
class Reader {
 public:
  explicit Reader(const BYTE* p) : base_(p), p_(p) {}
  WORD Word() { WORD v; memcpy(&v, p_, 2); p_ += 2; return v; }
  DWORD Dword() { DWORD v; memcpy(&v, p_, 4); p_ += 4; return v; }
  BYTE Byte() { return *p_++; }
  std::wstring String() {
    std::wstring s;
    for (WORD c; (c = Word()) != 0;) s += static_cast<wchar_t>(c);
    return s;
  }
  // A name or an ordinal; ordinals come back as "#n".
  std::wstring NameOrOrdinal() {
    WORD first;
    memcpy(&first, p_, 2);
    if (first == 0xFFFF) {
      Word();
      return L"#" + std::to_wstring(Word());
    }
    return String();
  }
  void AlignDword() { p_ = base_ + ((p_ - base_ + 3) & ~3); }

 private:
  const BYTE* base_;
  const BYTE* p_;
};

const BYTE* FindResourceBytes(LPCSTR type, WORD id, DWORD* size = nullptr) {
  HMODULE module = ::GetModuleHandleA(nullptr);
  HRSRC found = ::FindResourceExA(module, type, MAKEINTRESOURCEA(id), kJapanese);
  if (found == nullptr) return nullptr;
  if (size != nullptr) *size = ::SizeofResource(module, found);
  return static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
}

// Predefined classes may be stored by name or by ordinal; both mean the same.
std::wstring ClassName(const std::wstring& stored) {
  if (stored == L"#128") return L"BUTTON";
  if (stored == L"#129") return L"EDIT";
  if (stored == L"#133") return L"COMBOBOX";
  std::wstring upper = stored;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  return upper;
}

struct Control {
  DWORD id;
  std::wstring className;
  std::wstring caption;
  DWORD style;
  short x, y, cx, cy;
};

TEST(DialogTemplate, IsTheJapaneseExtendedTemplateWithItsStylesCaptionAndFont) {
  const BYTE* bytes = FindResourceBytes(RT_DIALOG, IDD_MAIN);
  ASSERT_NE(bytes, nullptr) << "IDD_MAIN in the Japanese language";
  Reader r(bytes);
  EXPECT_EQ(r.Word(), 1);       // dlgVer
  EXPECT_EQ(r.Word(), 0xFFFF);  // signature of an extended template
  r.Dword();                    // help id
  EXPECT_EQ(r.Dword(), 0u) << "extended style";
  EXPECT_EQ(r.Dword(), 0x80CF0848u) << "style";
  EXPECT_EQ(r.Word(), 8) << "control count";
  EXPECT_EQ(static_cast<short>(r.Word()), 0);
  EXPECT_EQ(static_cast<short>(r.Word()), 0);
  EXPECT_EQ(static_cast<short>(r.Word()), 495);
  EXPECT_EQ(static_cast<short>(r.Word()), 286);
  EXPECT_EQ(r.NameOrOrdinal(), L"") << "no menu";
  EXPECT_EQ(r.NameOrOrdinal(), L"") << "the standard dialog class";
  EXPECT_EQ(r.String(), L"Glyphrane");
  EXPECT_EQ(r.Word(), 8) << "point size";
  EXPECT_EQ(r.Word(), 400) << "weight";
  EXPECT_EQ(r.Byte(), 0) << "italic";
  EXPECT_EQ(r.Byte(), 1) << "character set";
  EXPECT_EQ(r.String(), L"MS Shell Dlg");
}

TEST(DialogTemplate, HoldsTheEightControlsInTabOrder) {
  const Control expected[] = {
      {1001, L"EDIT", L"", 0x50810080, 6, 6, 186, 12},
      {1002, L"BUTTON", L"参照", 0x50010000, 198, 6, 30, 12},
      {1003, L"COMBOBOX", L"", 0x50210103, 234, 6, 90, 72},
      {1004, L"EDIT", L"", 0x50810080, 330, 6, 42, 12},
      {1005, L"EDIT", L"", 0x50810080, 378, 6, 42, 12},
      {1, L"BUTTON", L"変換", 0x50010001, 426, 6, 30, 12},
      {1006, L"BUTTON", L"コピー", 0x50010000, 462, 6, 30, 12},
      {1007, L"EDIT", L"", 0x50B110C4, 6, 24, 486, 258},
  };
  const BYTE* bytes = FindResourceBytes(RT_DIALOG, IDD_MAIN);
  ASSERT_NE(bytes, nullptr);
  Reader r(bytes);
  r.Word(); r.Word(); r.Dword(); r.Dword(); r.Dword();
  ASSERT_EQ(r.Word(), 8);
  for (int i = 0; i < 4; ++i) r.Word();
  r.NameOrOrdinal(); r.NameOrOrdinal(); r.String();
  r.Word(); r.Word(); r.Byte(); r.Byte(); r.String();

  for (const Control& want : expected) {
    r.AlignDword();
    r.Dword();  // help id
    EXPECT_EQ(r.Dword(), 0u) << "extended style of " << want.id;
    EXPECT_EQ(r.Dword(), want.style) << "style of " << want.id;
    EXPECT_EQ(static_cast<short>(r.Word()), want.x) << want.id;
    EXPECT_EQ(static_cast<short>(r.Word()), want.y) << want.id;
    EXPECT_EQ(static_cast<short>(r.Word()), want.cx) << want.id;
    EXPECT_EQ(static_cast<short>(r.Word()), want.cy) << want.id;
    EXPECT_EQ(r.Dword(), want.id);
    EXPECT_EQ(ClassName(r.NameOrOrdinal()), want.className) << want.id;
    EXPECT_EQ(r.NameOrOrdinal(), want.caption) << want.id;
    WORD extra = r.Word();
    EXPECT_EQ(extra, 0) << want.id;
  }
}

TEST(IconGroup, HoldsA32And16PixelImageOf256ColoursEach) {
  DWORD size = 0;
  const BYTE* group = FindResourceBytes(RT_GROUP_ICON, IDI_MAIN, &size);
  ASSERT_NE(group, nullptr) << "IDI_MAIN in the Japanese language";
  Reader r(group);
  EXPECT_EQ(r.Word(), 0);
  EXPECT_EQ(r.Word(), 1) << "icon, not cursor";
  ASSERT_EQ(r.Word(), 2) << "two images";
  const int sizes[] = {32, 16};
  for (int want : sizes) {
    int width = r.Byte(), height = r.Byte();
    EXPECT_EQ(width, want);
    EXPECT_EQ(height, want);
    EXPECT_EQ(r.Byte(), 0) << "colour count 0 means 256";
    r.Byte();
    r.Word();  // planes
    EXPECT_EQ(r.Word(), 8) << "bits per pixel";
    r.Dword();
    WORD imageId = r.Word();
    // The image itself: a DIB header of 8 bits per pixel with the full palette.
    const BYTE* image = FindResourceBytes(RT_ICON, imageId);
    ASSERT_NE(image, nullptr);
    BITMAPINFOHEADER header;
    memcpy(&header, image, sizeof(header));
    EXPECT_EQ(header.biWidth, want);
    EXPECT_EQ(header.biHeight, want * 2) << "colour and mask";
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biClrUsed, 0u) << "all 256 palette entries";
  }
  // And the platform takes it at both sizes.
  for (int want : sizes) {
    HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                 MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON, want,
                                                 want, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr) << want;
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP colour = {};
    ::GetObjectA(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, want);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
  }
}

}  // namespace
