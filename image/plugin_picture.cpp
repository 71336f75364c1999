#include <climits>
#include <cstdlib>
#include <cstring>

#include "image/dib_size.h"
#include "image/plugin_host.h"
#include "platform/win32_handles.h"

namespace {

// The interface promises a plug-in at least this much of a file's start.
const DWORD kProbeBytes = 2048;

// A zero-filled heap buffer released on every path out of its scope.
class ZeroedBuffer {
 public:
  explicit ZeroedBuffer(DWORD bytes) : data_(std::calloc(bytes, 1)) {}
  ~ZeroedBuffer() { std::free(data_); }
  ZeroedBuffer(const ZeroedBuffer&) = delete;
  ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;
  void* get() const { return data_; }

 private:
  void* data_;
};

// One ReadFile of exactly bytes; an empty read counts as complete.
bool ReadExactly(HANDLE file, void* buffer, DWORD bytes) {
  DWORD read = 0;
  return ::ReadFile(file, buffer, bytes, &read, nullptr) && read == bytes;
}

// Whether some plug-in claims the file, judged by its first 2 KB (zero-padded).
bool AnyPluginClaims(const PluginTable& table, HANDLE file, DWORD fileSize) {
  ZeroedBuffer header(kProbeBytes);
  if (header.get() == nullptr) return false;
  const DWORD probe = fileSize < kProbeBytes ? fileSize : kProbeBytes;
  return ReadExactly(file, header.get(), probe) && ProbePlugins(table, header.get()) != 0;
}

// Builds the section from a decoded picture; takes ownership of pixels.
HBITMAP MakeSection(const PluginBitmapInfo& info, void* pixels) {
  const ScopedLocalMemory owned(pixels);
  const BITMAPINFOHEADER& header = info.bmiHeader;
  void* sectionBits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &sectionBits, nullptr, 0);
  if (section != nullptr) {
    // The buffer holds exactly the size rule's bytes: a larger biSizeImage
    // from the plug-in must not make the copy read beyond it.
    int computed = 0;
    DibPixelBytes(header.biBitCount, header.biWidth, header.biHeight, &computed);
    const DWORD available = static_cast<DWORD>(computed);
    const DWORD copy = header.biSizeImage == 0 || header.biSizeImage > available
                           ? available
                           : header.biSizeImage;
    std::memcpy(sectionBits, pixels, copy);
  }
  return section;
}

// Reads the whole file and decodes it; the file's bytes are gone on return.
bool DecodeFile(const PluginTable& table, HANDLE file, DWORD fileSize, PluginBitmapInfo* info,
                void** pixels) {
  // Padded to 2 KB so the decoding step's IsSupported also sees the promised length.
  ZeroedBuffer contents(fileSize < kProbeBytes ? kProbeBytes : fileSize);
  return contents.get() != nullptr && ReadExactly(file, contents.get(), fileSize) &&
         DecodeWithPlugin(table, contents.get(), static_cast<long>(fileSize), info, pixels) == 0;
}

HBITMAP LoadFromOpenFile(const PluginTable& table, HANDLE file) {
  DWORD high = 0;
  const DWORD fileSize = ::GetFileSize(file, &high);
  // The decode length is a signed 32-bit count; larger files are not taken.
  if (fileSize == INVALID_FILE_SIZE || high != 0 || fileSize > LONG_MAX) return nullptr;

  if (!AnyPluginClaims(table, file, fileSize)) return nullptr;
  if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0) return nullptr;

  PluginBitmapInfo info;
  void* pixels = nullptr;
  if (!DecodeFile(table, file, fileSize, &info, &pixels)) return nullptr;
  return MakeSection(info, pixels);
}

}  // namespace

HBITMAP LoadPictureViaPlugins(const PluginTable& table, const char* path) {
  const ScopedFile file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.ok() ? LoadFromOpenFile(table, file.get()) : nullptr;
}
