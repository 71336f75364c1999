#ifndef GLYPHRANE_TESTS_PARSERS_GUARDED_BYTES_H_
#define GLYPHRANE_TESTS_PARSERS_GUARDED_BYTES_H_

#include <cstddef>
#include <cstdint>
#include <string>

// Bytes placed at the very end of readable, writable memory, followed by a page
// that cannot be touched: a parser that reads, or a decoder that writes, one byte
// past the end faults there instead of passing unnoticed. The page size and the
// calls that map pages differ by platform; each has its own source file.
class GuardedBytes {
 public:
  explicit GuardedBytes(size_t size);  // zero-filled
  explicit GuardedBytes(const std::string& bytes);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void Map(size_t size);

  uint8_t* base_ = nullptr;
  size_t mapped_ = 0;
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

#endif  // GLYPHRANE_TESTS_PARSERS_GUARDED_BYTES_H_
