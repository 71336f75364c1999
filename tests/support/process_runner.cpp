#include "tests/support/process_runner.h"

#include <windows.h>

#include "gtest/gtest.h"
#include "tests/support/file_bytes.h"

namespace {

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& outputFolder, bool writableOutput) {
  ProcessResult result;
  std::string commandLine = "\"" + program + "\"";
  for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";

  const std::string outPath = outputFolder + "\\stdout.bin";
  const std::string errPath = outputFolder + "\\stderr.bin";
  HANDLE in = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  WriteBytes(outPath, "");
  HANDLE out = InheritableFile(outPath, writableOutput ? GENERIC_WRITE : GENERIC_READ,
                               OPEN_EXISTING);
  HANDLE err = InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process = {};
  std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back('\0');
  const BOOL started = ::CreateProcessA(program.c_str(), mutableLine.data(), nullptr, nullptr,
                                        TRUE, 0, nullptr, outputFolder.c_str(), &startup,
                                        &process);
  for (HANDLE h : {in, out, err}) {
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
  if (!started) {
    ADD_FAILURE() << "cannot start " << program << " (error " << ::GetLastError() << ")";
    return result;
  }
  if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 99);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ADD_FAILURE() << commandLine << " did not end within a minute";
  }
  ::GetExitCodeProcess(process.hProcess, &result.exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  result.out = ReadBytes(outPath);
  result.err = ReadBytes(errPath);
  return result;
}
