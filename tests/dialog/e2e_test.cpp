// glyphrane.exe from a program folder of the test's own, driven from this process
// as a person would drive it: fields typed, buttons pressed, message boxes read
// and closed, focus, clipboard and exit status looked at.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "resources/resource.h"
#include "tests/dialog/program_under_test.h"
#include "tests/support/process_runner.h"
#include "tests/support/program_folder.h"
#include "tests/support/program_paths.h"
#include "tests/support/sample_definitions.h"
#include "tests/support/sample_pictures.h"
#include "tests/support/test_folder.h"

namespace {

const char kNoDefinitions[] = "定義ファイルが見つかりません。起動を中止します。";

// A program folder with the programs installed: the program, the console
// converter, the Netpbm plug-in, a glyph set and two pictures (one for GDI+, one
// for the plug-in).
class InstalledProgram : public ProgramFolder {
 public:
  explicit InstalledProgram(const std::string& suffix = "-e2e", bool withData = true)
      : ProgramFolder(suffix, GLYPHRANE_NETPBM_PLUGIN,
                      withData ? std::vector<std::string>{"sample.txt"}
                               : std::vector<std::string>{}) {
    CopyIn(BuildOutputPath(GLYPHRANE_EXE), "glyphrane.exe");
    CopyIn(BuildOutputPath(GLYPHRANE_CLI), "glyphrane-cli.exe");
    Write("picture.bmp", BmpFile(DiscPicture(180, 120)));
    Write("picture.ppm", PpmFile(SquarePicture()));
  }
  std::string exe() const { return Child("glyphrane.exe"); }

  // What glyphrane-cli prints for the same inputs.
  std::string CliText(const std::string& block, const std::string& picture) const {
    const ProcessResult result =
        RunProgram(Child("glyphrane-cli.exe"), {"--definition", "sample", "--block", block, picture},
                   outputs_.path());
    EXPECT_EQ(result.exitCode, 0u) << "glyphrane-cli for " << picture;
    return result.out;
  }

 private:
  TestFolder outputs_{"-e2e-outputs"};

  // A bright square in a dark field and a mid band, for the plug-in to decode.
  static Picture SquarePicture() {
    Picture picture{48, 36, {}};
    for (int y = 0; y < 36; ++y) {
      for (int x = 0; x < 48; ++x) {
        const uint8_t grey = (x > 8 && x < 24 && y > 6 && y < 24) ? 0xEB : (x > 32 && x < 40) ? 0x80 : 0x1E;
        picture.bgr.insert(picture.bgr.end(), 3, grey);
      }
    }
    return picture;
  }
};

// Starts the program of folder and waits for its main dialog; null when either fails.
HWND StartToDialog(ProgramUnderTest& program, const InstalledProgram& folder) {
  if (!program.Start(folder.exe())) {
    ADD_FAILURE() << "cannot start " << folder.exe();
    return nullptr;
  }
  return program.WaitForDialog();
}

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

RECT PaneRect(HWND dialog) {
  RECT r;
  ::GetWindowRect(Item(dialog, IDC_OUTPUT), &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Types Enter into a field; the dialog manager turns it into the default button.
void PressKey(HWND control, WPARAM key) {
  ::PostMessageA(control, WM_KEYDOWN, key, 1);
  ::PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

// What the Escape key sends: the dialog has no Cancel button of its own.
void Cancel(HWND dialog) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }

void EmptyClipboard() {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
}

TEST(GlyphraneStartUp, ShowsTheFirstGlyphSetAndDefaultsAndEndsByTheCloseBox) {
  // "ソ" ends in 0x5C: the program folder must still be cut at the real backslash,
  // or the data folder is not found.
  InstalledProgram folder("-ソフト");
  folder.Write("data\\second.txt", SampleDefinitions());
  ProgramUnderTest program;
  HWND dialog = StartToDialog(program, folder);
  ASSERT_NE(dialog, nullptr) << "no main dialog";
  EXPECT_EQ(::SendMessageA(Item(dialog, IDC_DEFINITION), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(::SendMessageA(Item(dialog, IDC_DEFINITION), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(TextOf(Item(dialog, IDC_BLOCK_WIDTH)), "3");
  EXPECT_EQ(TextOf(Item(dialog, IDC_BLOCK_HEIGHT)), "6");
  EXPECT_EQ(TextOf(Item(dialog, IDC_IMAGE_PATH)), "") << "the command line is ignored";
  EXPECT_EQ(program.FindVisibleWindow("#32770", "エラー"), nullptr);

  // Enlarging the window: the pane grows by as much, the top row stays.
  RECT paneBefore = PaneRect(dialog), buttonBefore, window;
  ::GetWindowRect(Item(dialog, IDC_COPY), &buttonBefore);
  ::GetWindowRect(dialog, &window);
  ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + 80,
                 window.bottom - window.top + 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT pane = PaneRect(dialog), button;
  ::GetWindowRect(Item(dialog, IDC_COPY), &button);
  EXPECT_EQ(pane.left, paneBefore.left);
  EXPECT_EQ(pane.top, paneBefore.top);
  EXPECT_EQ(pane.right - paneBefore.right, 80);
  EXPECT_EQ(pane.bottom - paneBefore.bottom, 50);
  EXPECT_TRUE(::EqualRect(&button, &buttonBefore));

  ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(GlyphraneStartUp, WithoutDefinitionFilesShowsItsMessageThenEndsWithZero) {
  for (bool emptyDataFolder : {false, true}) {
    InstalledProgram folder("-e2e", false);
    if (emptyDataFolder) folder.MakeFolder("data");
    ProgramUnderTest program;
    ASSERT_TRUE(program.Start(folder.exe()));
    HWND box = program.WaitForErrorBox();
    ASSERT_NE(box, nullptr) << "empty data folder: " << emptyDataFolder;
    EXPECT_EQ(program.FindVisibleWindow("#32770", "Glyphrane"), nullptr);
    EXPECT_EQ(program.ReadAndCloseBox(box), kNoDefinitions);
    EXPECT_EQ(program.WaitForExit(), 0) << "empty data folder: " << emptyDataFolder;
  }
}

// Under Wine a DLL beside the program replaces the built-in one only with an
// override, and a child process takes overrides from the registry, not from the
// environment it is given. The per-program key is removed again when the test
// ends. On Windows the DLL beside the program is found first anyway.
class NativeGdiplusOverride {
 public:
  NativeGdiplusOverride() {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
    if (key_ != nullptr) ::RegSetValueExA(key_, "gdiplus", 0, REG_SZ, kValue, sizeof(kValue));
  }
  ~NativeGdiplusOverride() {
    if (key_ == nullptr) return;
    ::RegDeleteValueA(key_, "gdiplus");
    ::RegCloseKey(key_);
  }

 private:
  static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\glyphrane.exe\\DllOverrides";
  static constexpr BYTE kValue[] = "native,builtin";
  HKEY key_ = nullptr;
};

TEST(GlyphraneStartUp, AFailedGdiplusStartShowsOnlyItsMessageAndNoWindow) {
  InstalledProgram folder;  // with glyph sets: no catalogue message may follow
  ASSERT_TRUE(folder.CopyIn(BuildOutputPath(GLYPHRANE_STANDIN_GDIPLUS), "gdiplus.dll"));
  NativeGdiplusOverride override;
  ProgramUnderTest program;
  ASSERT_TRUE(program.Start(folder.exe()));
  HWND box = program.WaitForErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program.FindVisibleWindow("#32770", "Glyphrane"), nullptr);
  EXPECT_EQ(program.ReadAndCloseBox(box), "DLLの初期化に失敗しました。起動を中止します。");
  // A second message would hold the program open; a call into the stand-in after
  // the failed start-up would end it with 3.
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(GlyphraneConvert, ThePaneShowsWhatGlyphraneCliPrints) {
  InstalledProgram folder;
  ProgramUnderTest program;
  HWND dialog = StartToDialog(program, folder);
  ASSERT_NE(dialog, nullptr);
  HWND pane = Item(dialog, IDC_OUTPUT);

  SetTextOf(Item(dialog, IDC_IMAGE_PATH), folder.Child("picture.bmp"));
  Press(dialog, IDOK);
  std::string text = WaitForTextChange(pane, "");
  EXPECT_EQ(text, folder.CliText("3x6", folder.Child("picture.bmp")));
  // A real conversion of this picture: tiles of 9 x 18 pixels give 20 columns
  // and 6 rows, of several glyphs.
  EXPECT_EQ(text.size(), (20u + 2u) * 6u);
  EXPECT_GE(std::set<char>(text.begin(), text.end()).size(), 2u + 3u) << text;

  // Enter in a field runs Convert, with the fields as they now are; the picture
  // goes through the plug-in.
  SetTextOf(Item(dialog, IDC_IMAGE_PATH), folder.Child("picture.ppm"));
  SetTextOf(Item(dialog, IDC_BLOCK_WIDTH), "2");
  SetTextOf(Item(dialog, IDC_BLOCK_HEIGHT), " 4");
  PressKey(Item(dialog, IDC_BLOCK_HEIGHT), VK_RETURN);
  text = WaitForTextChange(pane, text);
  EXPECT_EQ(text, folder.CliText("2x4", folder.Child("picture.ppm")));
  EXPECT_EQ(program.FindVisibleWindow("#32770", "エラー"), nullptr);

  // Escape ends the program through the close sequence.
  PressKey(Item(dialog, IDC_IMAGE_PATH), VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(GlyphraneConvert, EachFaultIsReportedWithTheFocusOnItsControl) {
  InstalledProgram folder;
  folder.Write("data\\broken.txt", "no record marker here\r\n");
  ProgramUnderTest program;
  HWND dialog = StartToDialog(program, folder);
  ASSERT_NE(dialog, nullptr);
  const LRESULT sample = ::SendMessageA(Item(dialog, IDC_DEFINITION), CB_FINDSTRINGEXACT, -1,
                                        reinterpret_cast<LPARAM>("sample"));
  const LRESULT broken = ::SendMessageA(Item(dialog, IDC_DEFINITION), CB_FINDSTRINGEXACT, -1,
                                        reinterpret_cast<LPARAM>("broken"));
  ASSERT_GE(sample, 0);
  ASSERT_GE(broken, 0);

  struct Case {
    const char* name;
    LRESULT selection;
    const char* width;
    const char* height;
    std::string picture;
    const char* message;
    int focus;
  } cases[] = {
      {"no selection", -1, "3", "6", folder.Child("picture.bmp"), "定義ファイルを選択してください。", IDC_DEFINITION},
      {"width abc, height 0", sample, "abc", "0", folder.Child("picture.bmp"), "ブロックの幅が無効です。", IDC_BLOCK_WIDTH},
      {"width -3", sample, "-3", "6", folder.Child("picture.bmp"), "ブロックの幅が無効です。", IDC_BLOCK_WIDTH},
      {"height 2147483648", sample, "3", "2147483648", folder.Child("picture.bmp"), "ブロックの高さが無効です。", IDC_BLOCK_HEIGHT},
      {"no record and no picture", broken, "3", "6", folder.Child("missing.bmp"), "定義ファイルの読み込みに失敗しました。", IDC_DEFINITION},
      {"empty picture path", sample, "3", "6", "", "画像ファイルの読み込みに失敗しました。", IDC_IMAGE_PATH},
      {"not a picture", sample, "3", "6", folder.Child("data\\sample.txt"), "画像ファイルの読み込みに失敗しました。", IDC_IMAGE_PATH},
  };
  for (const Case& c : cases) {
    ::SendMessageA(Item(dialog, IDC_DEFINITION), CB_SETCURSEL, c.selection, 0);
    SetTextOf(Item(dialog, IDC_BLOCK_WIDTH), c.width);
    SetTextOf(Item(dialog, IDC_BLOCK_HEIGHT), c.height);
    SetTextOf(Item(dialog, IDC_IMAGE_PATH), c.picture);
    Press(dialog, IDOK);
    HWND box = program.WaitForErrorBox();
    ASSERT_NE(box, nullptr) << c.name;
    EXPECT_EQ(program.ReadAndCloseBox(box), c.message) << c.name;
    EXPECT_EQ(program.WaitForFocus(Item(dialog, c.focus)), Item(dialog, c.focus)) << c.name;
    EXPECT_EQ(TextOf(Item(dialog, IDC_OUTPUT)), "") << c.name;
  }
  Cancel(dialog);
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(GlyphraneCopy, CopiesTheLastConversionNotThePaneAndNothingAfterAFailedPicture) {
  InstalledProgram folder;
  ProgramUnderTest program;
  HWND dialog = StartToDialog(program, folder);
  ASSERT_NE(dialog, nullptr);
  HWND pane = Item(dialog, IDC_OUTPUT);

  // Before any conversion.
  Press(dialog, IDC_COPY);
  HWND box = program.WaitForErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program.ReadAndCloseBox(box), "出力されたデータがありません。");

  SetTextOf(Item(dialog, IDC_IMAGE_PATH), folder.Child("picture.bmp"));
  Press(dialog, IDOK);
  const std::string text = WaitForTextChange(pane, "");
  ASSERT_FALSE(text.empty());

  // Text typed into the pane is not what Copy takes.
  SetTextOf(pane, "typed by hand");
  EmptyClipboard();
  Press(dialog, IDC_COPY);
  std::string copied;
  for (int i = 0; i < 250 && (copied = ClipboardText()) == "<none>"; ++i) ::Sleep(20);
  ASSERT_GE(copied.size(), text.size() + 1);
  EXPECT_EQ(copied.substr(0, text.size() + 1), text + '\0') << "CF_TEXT with its NUL";

  // A picture that fails after a good one: the pane keeps the old text, and there
  // is no output to copy any more.
  SetTextOf(pane, text);
  SetTextOf(Item(dialog, IDC_IMAGE_PATH), folder.Child("missing.bmp"));
  Press(dialog, IDOK);
  box = program.WaitForErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program.ReadAndCloseBox(box), "画像ファイルの読み込みに失敗しました。");
  EXPECT_EQ(TextOf(pane), text);
  Press(dialog, IDC_COPY);
  box = program.WaitForErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program.ReadAndCloseBox(box), "出力されたデータがありません。");

  Cancel(dialog);
  EXPECT_EQ(program.WaitForExit(), 0);
}

TEST(GlyphraneBrowse, CancellingLeavesThePathAndChoosingAFileSetsIt) {
  InstalledProgram folder;
  ProgramUnderTest program;
  HWND dialog = StartToDialog(program, folder);
  ASSERT_NE(dialog, nullptr);
  HWND path = Item(dialog, IDC_IMAGE_PATH);
  SetTextOf(path, "typed.bmp");

  Press(dialog, IDC_BROWSE);
  HWND open = program.WaitForOwnedWindow(dialog);
  ASSERT_NE(open, nullptr) << "no open-file dialog";
  ::PostMessageA(::GetDlgItem(open, IDCANCEL), BM_CLICK, 0, 0);
  for (int i = 0; i < 250 && ::IsWindow(open); ++i) ::Sleep(20);
  EXPECT_FALSE(::IsWindow(open));
  EXPECT_EQ(TextOf(path), "typed.bmp");

  Press(dialog, IDC_BROWSE);
  open = program.WaitForOwnedWindow(dialog);
  ASSERT_NE(open, nullptr);
  // The file name box of the open-file dialog (cmb13, or edt1 in the old style).
  HWND name = ::GetDlgItem(open, 0x47C);
  if (name == nullptr) name = ::GetDlgItem(open, 0x480);
  ASSERT_NE(name, nullptr);
  SetTextOf(name, folder.Child("picture.bmp"));
  ::PostMessageA(::GetDlgItem(open, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(WaitForTextChange(path, "typed.bmp"), folder.Child("picture.bmp"));
  EXPECT_EQ(TextOf(Item(dialog, IDC_OUTPUT)), "") << "Browse does not convert";

  Cancel(dialog);
  EXPECT_EQ(program.WaitForExit(), 0);
}

}  // namespace
