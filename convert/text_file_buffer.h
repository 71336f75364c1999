#ifndef GLYPHRANE_CONVERT_TEXT_FILE_BUFFER_H_
#define GLYPHRANE_CONVERT_TEXT_FILE_BUFFER_H_

#include <cstdint>

// One whole file in memory and a cursor for reading it line by line.
// Owns its bytes; frees them on Release, on a new Allocate and when it ends.
struct TextFileBuffer {
  uint8_t* data = nullptr;  // the file's bytes as stored, not terminated
  uint32_t size = 0;
  uint32_t cursor = 0;      // next unread byte, 0..size

  TextFileBuffer() = default;
  ~TextFileBuffer() { Release(); }
  TextFileBuffer(const TextFileBuffer&) = delete;
  TextFileBuffer& operator=(const TextFileBuffer&) = delete;

  // True when the whole file is held with the cursor at its start. A file that
  // cannot be opened, memory that cannot be had, or a read that delivers fewer
  // bytes than the file's size gives false and an empty buffer.
  bool ReadWholeFile(const char* path);

  // Releases the old bytes, then takes n bytes with the cursor at the start.
  // False, with the buffer empty, when the memory cannot be had.
  bool Allocate(uint32_t n);

  void Release();

  // Copies the next line (at most bufferSize - 1 bytes) and a NUL into buffer and
  // returns the number of bytes copied: 0 only when no line is left. Runs of CR
  // and LF, blank lines included, are passed over; a longer line is cut and its
  // rest comes back as the next line. REQUIRES: bufferSize >= 2.
  uint32_t ReadLine(char* buffer, uint32_t bufferSize);
};

#endif  // GLYPHRANE_CONVERT_TEXT_FILE_BUFFER_H_
