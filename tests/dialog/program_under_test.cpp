#include "tests/dialog/program_under_test.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD kWaitLimit = 10000;
constexpr DWORD kPollInterval = 20;

template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds = kWaitLimit) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start >= milliseconds) return false;
    ::Sleep(kPollInterval);
  }
}

// A top-level window of one process; a null class name, caption or owner
// matches any.
struct WindowSearch {
  DWORD processId;
  bool visibleOnly;
  const char* className;
  const char* caption;
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId) return TRUE;
  if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
  if (search->owner != nullptr && ::GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  if (search->className != nullptr) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, search->className) != 0) return TRUE;
  }
  if (search->caption != nullptr && TextOf(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindTopLevel(WindowSearch search) {
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

bool ProgramUnderTest::Start(const std::string& exePath) {
  // A picture path on the command line must be ignored.
  std::string commandLine = "\"" + exePath + "\" ignored.bmp";
  char workingFolder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, workingFolder);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return ::CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                          nullptr, workingFolder,
                          &startup, &process_) != 0;
}

ProgramUnderTest::~ProgramUnderTest() {
  if (process_.hProcess == nullptr) return;
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.hProcess, 99);
    ::WaitForSingleObject(process_.hProcess, kWaitLimit);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

HWND ProgramUnderTest::WaitForDialog() const {
  HWND dialog = nullptr;
  WaitFor([&] { return (dialog = FindVisibleWindow("#32770", "Glyphrane")) != nullptr; });
  return dialog;
}

HWND ProgramUnderTest::WaitForErrorBox(DWORD milliseconds) const {
  HWND box = nullptr;
  WaitFor([&] { return (box = FindVisibleWindow("#32770", "エラー")) != nullptr; }, milliseconds);
  return box;
}

std::string ProgramUnderTest::ReadAndCloseBox(HWND box) const {
  std::string text = TextOf(::GetDlgItem(box, 0xFFFF));
  ::PostMessageA(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitFor([&] { return !::IsWindow(box); });
  return text;
}

HWND ProgramUnderTest::FindVisibleWindow(const char* className, const char* caption) const {
  return FindTopLevel({process_.dwProcessId, true, className, caption, nullptr, nullptr});
}

bool ProgramUnderTest::HasDialogWindow(const char* caption) const {
  return FindTopLevel({process_.dwProcessId, false, "#32770", caption, nullptr, nullptr}) !=
         nullptr;
}

HWND ProgramUnderTest::WaitForOwnedWindow(HWND owner) const {
  HWND window = nullptr;
  WaitFor([&] {
    window = FindTopLevel({process_.dwProcessId, true, nullptr, nullptr, owner, nullptr});
    return window != nullptr;
  });
  return window;
}

HWND ProgramUnderTest::WaitForFocus(HWND expected) const {
  GUITHREADINFO info = {};
  WaitFor([&] {
    info = GUITHREADINFO{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus == expected;
  });
  return info.hwndFocus;
}

long ProgramUnderTest::WaitForExit(DWORD milliseconds) {
  if (::WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

std::string TextOf(HWND window) {
  std::vector<char> text(65536);
  LRESULT length = ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

void SetTextOf(HWND window, const std::string& text) {
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Press(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string WaitForTextChange(HWND window, const std::string& before) {
  std::string now = before;
  WaitFor([&] { return (now = TextOf(window)) != before; });
  return now;
}

std::string ClipboardText() {
  std::string text = "<none>";
  if (!WaitFor([] { return ::OpenClipboard(nullptr) != 0; })) return "<not open>";
  HANDLE data = ::GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const char* p = static_cast<const char*>(::GlobalLock(data));
    if (p != nullptr) text.assign(p, ::GlobalSize(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}
