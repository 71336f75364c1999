#include <cstdio>
#include <cstdlib>

#include "image/plugin_host.h"
#include "image/susie_interface.h"

namespace {

const int kPathBytes = 260;

// One directory search over pattern; calls visit with each entry's file name
// until it returns false. False when the search finds nothing.
template <typename Visit>
bool ForEachMatch(const char* pattern, Visit visit) {
  WIN32_FIND_DATAA entry;
  HANDLE search = ::FindFirstFileA(pattern, &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (!visit(entry.cFileName)) break;
  } while (::FindNextFileA(search, &entry));
  ::FindClose(search);
  return true;
}

// Builds "<folder>\<name>" into out; false when it does not fit.
bool JoinPath(char (&out)[kPathBytes], const char* folder, const char* name) {
  const int length = std::snprintf(out, sizeof out, "%s\\%s", folder, name);
  return length >= 0 && length < kPathBytes;
}

}  // namespace

void LoadPlugins(PluginTable& table, const char* folder) {
  table.modules = nullptr;
  table.moduleCount = 0;

  char pattern[kPathBytes];
  if (!JoinPath(pattern, folder, "*.spi")) return;

  int count = 0;
  if (!ForEachMatch(pattern, [&count](const char*) {
        ++count;
        return true;
      })) {
    return;
  }
  if (count == 0) return;

  HMODULE* modules = static_cast<HMODULE*>(std::calloc(count, sizeof(HMODULE)));
  if (modules == nullptr) return;
  table.modules = modules;
  table.moduleCount = count;

  // Files that vanished since the count leave their entries null.
  int filled = 0;
  ForEachMatch(pattern, [&](const char* name) {
    char path[kPathBytes];
    modules[filled] = JoinPath(path, folder, name) ? ::LoadLibraryA(path) : nullptr;
    return ++filled < count;
  });
}

void UnloadPlugins(PluginTable& table) {
  for (int i = 0; i < table.moduleCount; ++i) {
    if (table.modules[i] != nullptr) ::FreeLibrary(table.modules[i]);
  }
  std::free(table.modules);
  table.modules = nullptr;
  table.moduleCount = 0;
}

int ProbePlugins(const PluginTable& table, const void* header) {
  for (int i = 0; i < table.moduleCount; ++i) {
    HMODULE module = table.modules[i];
    if (module == nullptr) continue;
    auto isSupported = FindSusieExport<SusieIsSupportedProc>(module, "IsSupported");
    if (isSupported == nullptr) continue;
    const int answer = isSupported(nullptr, reinterpret_cast<DWORD_PTR>(header));
    if (answer != 0) return answer;
  }
  return 0;
}
