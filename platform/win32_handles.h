#ifndef GLYPHRANE_PLATFORM_WIN32_HANDLES_H_
#define GLYPHRANE_PLATFORM_WIN32_HANDLES_H_

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// Owners of the platform's handles, so that every way out of a function releases
// what it took. None can be copied or moved: each lives in the scope that took the
// handle, and release() hands the handle on when the caller keeps it.

// One kind of handle: its type, the value that means "none" and how it is closed.
template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  explicit ScopedHandle(Handle handle = Traits::None()) : handle_(handle) {}
  ~ScopedHandle() {
    if (handle_ != Traits::None()) Traits::Close(handle_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  Handle get() const { return handle_; }
  bool ok() const { return handle_ != Traits::None(); }
  // The handle, no longer owned.
  Handle release() {
    Handle handle = handle_;
    handle_ = Traits::None();
    return handle;
  }

 private:
  Handle handle_;
};

// What "none" is: null for most handles, INVALID_HANDLE_VALUE for the files and
// searches that CreateFileA and FindFirstFileA open.
template <typename HandleType>
struct NullMeansNone {
  using Handle = HandleType;
  static Handle None() { return nullptr; }
};
struct InvalidValueMeansNone {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
};

struct FileTraits : InvalidValueMeansNone {
  static void Close(Handle handle) { ::CloseHandle(handle); }
};
using ScopedFile = ScopedHandle<FileTraits>;

struct FindTraits : InvalidValueMeansNone {
  static void Close(Handle handle) { ::FindClose(handle); }
};
using ScopedFind = ScopedHandle<FindTraits>;

struct LocalMemoryTraits : NullMeansNone<HLOCAL> {
  static void Close(Handle handle) { ::LocalFree(handle); }
};
using ScopedLocalMemory = ScopedHandle<LocalMemoryTraits>;

struct DcTraits : NullMeansNone<HDC> {
  static void Close(Handle handle) { ::DeleteDC(handle); }
};
using ScopedDc = ScopedHandle<DcTraits>;

// A memory device context compatible with the screen, made on construction.
class ScopedMemoryDc : public ScopedDc {
 public:
  ScopedMemoryDc() : ScopedDc(::CreateCompatibleDC(nullptr)) {}
};

// A font, bitmap or other GDI object, deleted when the owner ends.
template <typename Object>
struct GdiObjectTraits : NullMeansNone<Object> {
  static void Close(Object handle) { ::DeleteObject(handle); }
};
template <typename Object>
using ScopedGdiObject = ScopedHandle<GdiObjectTraits<Object>>;

// A picture of the GDI+ flat interface.
struct GdiplusImageTraits : NullMeansNone<Gdiplus::GpImage*> {
  static void Close(Handle handle) { Gdiplus::DllExports::GdipDisposeImage(handle); }
};
using ScopedGdiplusImage = ScopedHandle<GdiplusImageTraits>;

// Selects an object into a DC and puts the previous one back when it ends, so that
// the object is no longer selected when its owner deletes it. Declare it after the
// owners of the DC and the object.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (ok()) ::SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

#endif  // GLYPHRANE_PLATFORM_WIN32_HANDLES_H_
