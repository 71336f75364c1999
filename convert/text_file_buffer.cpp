#include "convert/text_file_buffer.h"

#include <cstdlib>

namespace {

inline bool IsLineEnd(uint8_t byte) { return byte == '\r' || byte == '\n'; }

}  // namespace

bool TextFileBuffer::Allocate(uint32_t n) {
  Release();
  // malloc(0) may give null; an empty file is still a successful read.
  data = static_cast<uint8_t*>(std::malloc(n > 0 ? n : 1));
  if (data == nullptr) return false;
  size = n;
  cursor = 0;
  return true;
}

void TextFileBuffer::Release() {
  std::free(data);
  data = nullptr;
  size = 0;
  cursor = 0;
}

uint32_t TextFileBuffer::ReadLine(char* buffer, uint32_t bufferSize) {
  while (cursor < size && IsLineEnd(data[cursor])) ++cursor;
  uint32_t copied = 0;
  while (cursor < size && !IsLineEnd(data[cursor]) && copied < bufferSize - 1) {
    buffer[copied++] = static_cast<char>(data[cursor++]);
  }
  while (cursor < size && IsLineEnd(data[cursor])) ++cursor;
  buffer[copied] = '\0';
  return copied;
}
