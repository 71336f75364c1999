#include "app/decoders.h"

#include <objidl.h>
#include <gdiplus.h>

#include "app/program_folder.h"
#include "command/program_state.h"

ULONG_PTR gdiplusToken;

bool StartDecoders() {
  // GDI+'s own background thread runs its hooks, so this program need not.
  Gdiplus::GdiplusStartupInput input(nullptr, FALSE, FALSE);
  if (Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) != Gdiplus::Ok) return false;
  LoadPlugins(pluginTable, programFolder);
  return true;
}

void StopDecoders() {
  Gdiplus::GdiplusShutdown(gdiplusToken);
  UnloadPlugins(pluginTable);
}
