#ifndef GLYPHRANE_IMAGE_PLUGIN_HOST_H_
#define GLYPHRANE_IMAGE_PLUGIN_HOST_H_

#include <windows.h>

// The image plug-ins (*.spi) of the program folder, in directory search order.
// A null entry is a file that could not be loaded as a library.
struct PluginTable {
  HMODULE* modules;
  int moduleCount;
};

extern PluginTable pluginTable;

// Loads every *.spi of folder (no trailing backslash). Called once at start-up.
void LoadPlugins(const char* folder);
// Frees every loaded module and empties the table.
void UnloadPlugins();

// The first non-zero IsSupported answer for the 2 KB at header, or 0.
int ProbePlugins(const void* header);

// Decodes data with the first plug-in that has both functions and claims it.
// 0 on success with *pixels owned by the caller (free with LocalFree... see the
// implementation's header comment); -1 when none claims it; otherwise non-zero.
int DecodeWithPlugin(const void* data, long size, BITMAPINFO* info, void** pixels);

// The picture at path as a new DIB section the caller owns, or null.
HBITMAP LoadPictureViaPlugins(const char* path);

#endif  // GLYPHRANE_IMAGE_PLUGIN_HOST_H_
