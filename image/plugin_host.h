#ifndef GLYPHRANE_IMAGE_PLUGIN_HOST_H_
#define GLYPHRANE_IMAGE_PLUGIN_HOST_H_

#include <windows.h>

// The image plug-ins (*.spi) of the program folder, in directory search order.
// A null entry is a file that could not be loaded as a library.
struct PluginTable {
  HMODULE* modules = nullptr;
  int moduleCount = 0;
};

// A decoded picture's description: the header, then room for a full colour
// table of up to 256 entries or, for BI_BITFIELDS, the three colour masks.
struct PluginBitmapInfo {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
};

// Loads every *.spi of folder (no trailing backslash) into table. Called once at
// start-up, on an empty table; a folder path too long for a 260-byte path loads
// nothing.
void LoadPlugins(PluginTable& table, const char* folder);
// Frees every module of table and empties it.
void UnloadPlugins(PluginTable& table);

// The first non-zero IsSupported answer for the 2 KB at header, or 0.
// REQUIRES: header points to at least 2048 readable bytes.
int ProbePlugins(const PluginTable& table, const void* header);

// Decodes data with the first plug-in of table that has both functions and
// claims it.
// 0 on success: *info holds the header (biSize 40, biHeight positive: rows
// bottom-up) with its colour table or masks, and *pixels a buffer of exactly
// the size rule's bytes that the caller releases with LocalFree. -1 when none
// claims it; otherwise non-zero: the plug-in's GetPicture result, or 1 when its
// answer is unusable (a header or block too small, a size that does not fit,
// a format a DIB section cannot take) or memory ran out. *pixels is null on
// every failure; both plug-in handles are always released.
// REQUIRES: data points to at least max(size, 2048) readable bytes.
int DecodeWithPlugin(const PluginTable& table, const void* data, long size,
                     PluginBitmapInfo* info, void** pixels);

// The picture at path, decoded by the plug-ins of table, as a new DIB section the
// caller owns, or null.
HBITMAP LoadPictureViaPlugins(const PluginTable& table, const char* path);

#endif  // GLYPHRANE_IMAGE_PLUGIN_HOST_H_
