#include "tests/dialog/dialog_harness.h"

#include <atomic>
#include <cstring>
#include <thread>

#include "app/dialog/dialog_state.h"
#include "app/dialog/main_dialog.h"
#include "app/program_folder.h"
#include "command/program_state.h"

namespace {

std::vector<std::string>* capturedMessages = nullptr;

bool IsErrorBox(HWND window) {
  char className[16] = {};
  ::GetClassNameA(window, className, sizeof(className));
  return std::strcmp(className, "#32770") == 0 && WindowText(window) == "エラー";
}

// Reads each message box as it is activated, as a person would before pressing OK.
LRESULT CALLBACK CaptureMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (IsErrorBox(window)) {
      capturedMessages->push_back(WindowText(::GetDlgItem(window, 0xFFFF)));
      ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void StartAfresh(const std::string& folder) {
  dialogState = DialogState{};
  dialogState.appInstance = ::GetModuleHandleA(nullptr);
  ResetProgramState();
  std::memset(programFolder, 0, sizeof(programFolder));
  std::strncpy(programFolder, folder.c_str(), sizeof(programFolder) - 1);
}

}  // namespace

std::string WindowText(HWND window) {
  char text[4096] = {};
  ::SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return text;
}

DialogRun RunDialogInProcess(const std::string& folder,
                             const std::function<void(HWND dialog)>& script) {
  DialogRun run;
  StartAfresh(folder);
  capturedMessages = &run.messages;
  HHOOK hook = ::SetWindowsHookExA(WH_CBT, CaptureMessageBoxes, nullptr, ::GetCurrentThreadId());

  std::atomic<bool> ended{false};
  std::thread driver([&] {
    const DWORD deadline = ::GetTickCount() + 10000;
    HWND dialog = nullptr;
    while (!ended && ::GetTickCount() < deadline) {
      dialog = dialogState.mainDialog;
      if (dialog != nullptr && ::IsWindowVisible(dialog)) break;
      dialog = nullptr;
      ::Sleep(20);
    }
    if (dialog == nullptr) return;
    run.shown = true;
    if (script) script(dialog);
    if (::IsWindow(dialog)) ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  run.result = RunMainDialog();
  ended = true;
  driver.join();

  ::UnhookWindowsHookEx(hook);
  capturedMessages = nullptr;
  return run;
}
