#ifndef GLYPHRANE_PLATFORM_PATH_JOIN_H_
#define GLYPHRANE_PLATFORM_PATH_JOIN_H_

#include <cstddef>

// Paths live in buffers of 260 bytes: 259 bytes and a NUL.
constexpr size_t kPathBytes = 260;

// Writes folder, a backslash and name into path. False, with nothing written,
// when the whole path and its NUL do not fit. Both sources are read no further
// than kPathBytes, so a fixed field that need not hold a NUL is safe to pass.
bool JoinPath(char (&path)[kPathBytes], const char* folder, const char* name);

#endif  // GLYPHRANE_PLATFORM_PATH_JOIN_H_
