#ifndef GLYPHRANE_IMAGE_SUSIE_INTERFACE_H_
#define GLYPHRANE_IMAGE_SUSIE_INTERFACE_H_

#include <windows.h>

// The two functions of an image plug-in (*.spi) that the host calls, looked up
// by their undecorated names. Both use the standard calling convention.

// Progress callback a plug-in may call while decoding; non-zero cancels.
typedef int(WINAPI* SusieProgressProc)(int done, int total, LONG userValue);

// Non-zero when the plug-in reads the file. With a null fileName, source is a
// pointer to at least 2 KB of the file's start; otherwise a file handle.
typedef int(WINAPI* SusieIsSupportedProc)(LPCSTR fileName, DWORD_PTR source);

// Decodes input (with flags & 7 == 1: the whole file in memory, length bytes).
// 0 on success, when *infoHandle holds a BITMAPINFO (header, then any colour
// table) and *pixelsHandle the rows in DIB layout, both local memory handles
// the caller releases with LocalFree. Any other result is a failure.
typedef int(WINAPI* SusieGetPictureProc)(LPCSTR input, LONG length, UINT flags,
                                         HLOCAL* infoHandle, HLOCAL* pixelsHandle,
                                         SusieProgressProc progress, LONG userValue);

// The export name of module as a Proc, or null when the module lacks it.
template <typename Proc>
Proc FindSusieExport(HMODULE module, const char* name) {
  // FARPROC and the real signature differ; the detour through void* says so.
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The input kind of GetPicture's flags: the input is a memory image.
const UINT kSusieInputMemory = 1;

#endif  // GLYPHRANE_IMAGE_SUSIE_INTERFACE_H_
