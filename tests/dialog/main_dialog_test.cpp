// The real main dialog opened in the test's own process: start-up, the close
// sequence, dropped files, the pane layout and the command dispatch.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include <string>
#include <vector>

#include "app/dialog/dialog_state.h"
#include "command/program_state.h"
#include "gtest/gtest.h"
#include "resources/resource.h"
#include "tests/dialog/dialog_harness.h"
#include "tests/support/program_folder.h"
#include "tests/support/program_paths.h"
#include "tests/support/sample_definitions.h"
#include "tests/support/test_folder.h"

namespace {

const char kNoDefinitions[] = "定義ファイルが見つかりません。起動を中止します。";

// A program folder with a data folder of two glyph sets and the Netpbm plug-in.
class TwoSetFolder : public ProgramFolder {
 public:
  TwoSetFolder() : ProgramFolder("", GLYPHRANE_NETPBM_PLUGIN, {"beta.txt", "alpha.set.txt"}) {}
};

std::string ControlText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

std::string ListItem(HWND list, int index) {
  char text[260] = {};
  ::SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

// An HDROP as the shell makes it, holding paths (ANSI or UTF-16), owned by the
// receiver of WM_DROPFILES, which must release it with DragFinish.
HDROP MakeDrop(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& p : paths) list += p + '\0';
  list += '\0';
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(header + 1), list.data(), list.size());
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

HDROP MakeWideDrop(const std::wstring& path) {
  std::wstring list = path + L'\0' + L'\0';
  size_t bytes = list.size() * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
  auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header + 1), list.data(), bytes);
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

RECT ClientRectOf(HWND dialog, int id) {
  RECT r;
  HWND control = ::GetDlgItem(dialog, id);
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ResizeBy(HWND dialog, int dx, int dy) {
  RECT w;
  ::GetWindowRect(dialog, &w);
  ::SetWindowPos(dialog, nullptr, 0, 0, w.right - w.left + dx, w.bottom - w.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST(MainDialogStartUp, SelectsFirstEntrySetsDefaultsIconsAndPaneFontAndLoadsPlugins) {
  TwoSetFolder folder;
  int pluginsWhileOpen = -1;
  DialogRun run = RunDialogInProcess(folder.path(), [&](HWND dialog) {
    HWND list = ::GetDlgItem(dialog, IDC_DEFINITION);
    EXPECT_EQ(::SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    // Item i is catalogue entry i, whatever the sorted style would have done.
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(ListItem(list, i), definitionCatalog.entries[i].displayName) << "item " << i;
    }
    EXPECT_EQ(ControlText(dialog, IDC_BLOCK_WIDTH), "3");
    EXPECT_EQ(ControlText(dialog, IDC_BLOCK_HEIGHT), "6");
    EXPECT_EQ(ControlText(dialog, IDC_IMAGE_PATH), "");
    EXPECT_NE(::SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);

    HFONT paneFont = reinterpret_cast<HFONT>(::SendDlgItemMessageA(dialog, IDC_OUTPUT, WM_GETFONT, 0, 0));
    ASSERT_NE(paneFont, nullptr);
    EXPECT_EQ(paneFont, dialogState.outputFont);
    LOGFONTA font = {};
    ::GetObjectA(paneFont, sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ ゴシック");
    EXPECT_NE(::SendDlgItemMessageA(dialog, IDC_IMAGE_PATH, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(paneFont))
        << "only the pane gets the output font";

    EXPECT_TRUE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    pluginsWhileOpen = pluginTable.moduleCount;
  });
  EXPECT_TRUE(run.shown);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(pluginsWhileOpen, 1);
  EXPECT_EQ(pluginTable.moduleCount, 0) << "the close sequence unloads the plug-ins";
}

TEST(MainDialogStartUp, WithoutDefinitionFilesReportsOnceAndClosesThroughTheCloseSequence) {
  struct Case {
    const char* name;
    void (*prepare)(const TestFolder&);
  } cases[] = {
      {"no data folder", [](const TestFolder&) {}},
      {"empty data folder", [](const TestFolder& f) { f.MakeFolder("data"); }},
      {"only other files", [](const TestFolder& f) { f.Write("data\\glyphs.dat", SampleDefinitions()); }},
  };
  for (const Case& c : cases) {
    TestFolder folder;
    folder.CopyIn(BuildOutputPath(GLYPHRANE_NETPBM_PLUGIN), "netpbm.spi");
    c.prepare(folder);
    DialogRun run = RunDialogInProcess(folder.path());
    EXPECT_EQ(run.messages, std::vector<std::string>{kNoDefinitions}) << c.name;
    EXPECT_FALSE(run.shown) << c.name;
    EXPECT_EQ(run.result, 0) << c.name;
    EXPECT_EQ(pluginTable.moduleCount, 0) << c.name << ": plug-ins unloaded on close";
  }
}

TEST(MainDialogDrop, TakesOnlyTheFirstPathAndConvertsNothing) {
  TwoSetFolder folder;
  const std::string longPath = "C:\\" + std::string(296, 'x') + ".bmp";  // 300 bytes
  // "ソ" and "表" end in 0x5C: the field must keep them whole.
  const std::string trailBytePath = "C:\\ソフト\\表.bmp";
  DialogRun run = RunDialogInProcess(folder.path(), [&](HWND dialog) {
    ::SendMessageA(dialog, WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeDrop({"C:\\a\\first.bmp", "C:\\b.png", "C:\\c.gif"})), 0);
    EXPECT_EQ(ControlText(dialog, IDC_IMAGE_PATH), "C:\\a\\first.bmp");
    EXPECT_EQ(ControlText(dialog, IDC_OUTPUT), "");
    EXPECT_EQ(conversionState.ArtText, nullptr) << "a drop does not convert";

    ::SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({longPath})), 0);
    EXPECT_EQ(ControlText(dialog, IDC_IMAGE_PATH), longPath.substr(0, 259)) << "cut at 259 bytes";

    ::SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({trailBytePath})), 0);
    EXPECT_EQ(ControlText(dialog, IDC_IMAGE_PATH), trailBytePath);

    // The shell's own drops carry UTF-16 paths; the field gets the ANSI form.
    ::SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeWideDrop(L"C:\\ソフト\\表.bmp")), 0);
    EXPECT_EQ(ControlText(dialog, IDC_IMAGE_PATH), trailBytePath);

    // A drop of nothing usable still replaces the field, with an empty text.
    ::SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({})), 0);
    EXPECT_EQ(ControlText(dialog, IDC_IMAGE_PATH), "");
  });
  EXPECT_TRUE(run.shown);
  EXPECT_TRUE(run.messages.empty());
}

TEST(MainDialogLayout, ThePaneFollowsTheWindowEdgesAndTheTopRowStays) {
  TwoSetFolder folder;
  DialogRun run = RunDialogInProcess(folder.path(), [&](HWND dialog) {
    const int topRow[] = {IDC_IMAGE_PATH, IDC_BROWSE, IDC_DEFINITION, IDC_BLOCK_WIDTH,
                          IDC_BLOCK_HEIGHT, IDOK, IDC_COPY};
    std::vector<RECT> rowBefore;
    for (int id : topRow) rowBefore.push_back(ClientRectOf(dialog, id));
    RECT paneBefore = ClientRectOf(dialog, IDC_OUTPUT);
    RECT client, frameBefore;
    ::GetClientRect(dialog, &client);
    ::GetWindowRect(dialog, &frameBefore);
    EXPECT_GT(paneBefore.left, 0);
    EXPECT_GT(paneBefore.top, 0);
    EXPECT_LT(paneBefore.right, client.right);
    EXPECT_LT(paneBefore.bottom, client.bottom);

    ResizeBy(dialog, 120, 70);
    RECT pane = ClientRectOf(dialog, IDC_OUTPUT);
    EXPECT_EQ(pane.left, paneBefore.left);
    EXPECT_EQ(pane.top, paneBefore.top);
    EXPECT_EQ(pane.right, paneBefore.right + 120);
    EXPECT_EQ(pane.bottom, paneBefore.bottom + 70);
    for (size_t i = 0; i < rowBefore.size(); ++i) {
      RECT r = ClientRectOf(dialog, topRow[i]);
      EXPECT_TRUE(::EqualRect(&r, &rowBefore[i])) << "control " << topRow[i] << " moved";
    }

    // Lower than the top margin (the platform keeps a minimum width, not a
    // minimum height): no visible area, and no negative size.
    ::SetWindowPos(dialog, nullptr, 0, 0, 60, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT small;
    ::GetClientRect(dialog, &small);
    ASSERT_LT(small.bottom, paneBefore.top);
    pane = ClientRectOf(dialog, IDC_OUTPUT);
    EXPECT_EQ(pane.bottom - pane.top, 0);
    EXPECT_EQ(pane.right - pane.left,
              std::max(0L, small.right - (client.right - paneBefore.right) - paneBefore.left));

    // Back to the first size: the first layout again.
    ::SetWindowPos(dialog, nullptr, 0, 0, frameBefore.right - frameBefore.left,
                   frameBefore.bottom - frameBefore.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pane = ClientRectOf(dialog, IDC_OUTPUT);
    EXPECT_TRUE(::EqualRect(&pane, &paneBefore));
  });
  EXPECT_TRUE(run.shown);
}

TEST(MainDialogCommands, OnlyPlainCommandNotificationsAreHandled) {
  TwoSetFolder folder;
  bool openAfterNotification = false;
  DialogRun run = RunDialogInProcess(folder.path(), [&](HWND dialog) {
    // An edit's or list's notification with a command's identifier does nothing.
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, EN_CHANGE), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COPY, CBN_SELCHANGE), 0);
    openAfterNotification = ::IsWindowVisible(dialog) != FALSE;
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COPY, BN_CLICKED), 0);
    // A path longer than the 259 bytes Convert reads, ending in half of a
    // double-byte character once cut: refused as a picture, nothing overrun.
    std::string longPath = "C:\\" + std::string(255, 'x') + "\x83\x5C\x83\x5C.bmp";
    ::SetDlgItemTextA(dialog, IDC_IMAGE_PATH, longPath.c_str());
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  EXPECT_TRUE(openAfterNotification);
  EXPECT_EQ(run.messages, (std::vector<std::string>{"出力されたデータがありません。",
                                                    "画像ファイルの読み込みに失敗しました。"}));
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(pluginTable.moduleCount, 0);
}

}  // namespace
