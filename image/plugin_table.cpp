#include <cstdlib>

#include "image/plugin_host.h"
#include "image/susie_interface.h"
#include "platform/directory_walk.h"
#include "platform/path_join.h"

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
