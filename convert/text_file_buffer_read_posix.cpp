// Native builds read through the standard library; the Windows build has its own.
#include <cstdio>

#include "convert/text_file_buffer.h"

bool TextFileBuffer::ReadWholeFile(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  long length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
  // Only the low 32 bits of the size count, as on Windows.
  if (length < 0 || std::fseek(file, 0, SEEK_SET) != 0 ||
      !Allocate(static_cast<uint32_t>(static_cast<unsigned long>(length)))) {
    std::fclose(file);
    return false;
  }
  size_t got = std::fread(data, 1, size, file);
  std::fclose(file);
  if (got != size) {
    Release();
    return false;
  }
  return true;
}
