#ifndef GLYPHRANE_TOOLS_GLYPHGEN_GDI_HANDLES_H_
#define GLYPHRANE_TOOLS_GLYPHGEN_GDI_HANDLES_H_

#include <windows.h>

// Owners of the GDI objects of one rendering, so that every way out releases them.

class ScopedMemoryDc {
 public:
  ScopedMemoryDc() : dc_(::CreateCompatibleDC(nullptr)) {}
  ~ScopedMemoryDc() {
    if (dc_ != nullptr) ::DeleteDC(dc_);
  }
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A font, bitmap or other GDI object, deleted when the owner ends.
template <typename Handle>
class ScopedGdiObject {
 public:
  explicit ScopedGdiObject(Handle handle) : handle_(handle) {}
  ~ScopedGdiObject() {
    if (handle_ != nullptr) ::DeleteObject(handle_);
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
  Handle get() const { return handle_; }

 private:
  Handle handle_;
};

// Selects an object into a DC and puts the previous one back when it ends, so that
// the object is no longer selected when its owner deletes it. Declare it after the
// owners of the DC and the object.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

#endif  // GLYPHRANE_TOOLS_GLYPHGEN_GDI_HANDLES_H_
