#ifndef GLYPHRANE_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_
#define GLYPHRANE_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/sample_pictures.h"

// Double-byte characters whose trail byte is a backslash (0x5C) in code page 932.
constexpr char kSo[] = "\x83\x5C";     // ソ
constexpr char kHyou[] = "\x95\x5C";   // 表

// The folder grown to exactly length bytes by "\." steps, which name the same
// folder: paths can so be brought to any length without deep folder trees.
std::string PaddedFolder(const std::string& folder, size_t length);
// The text the engine writes for the picture's pixels, computed without any
// decoder. Leaves the conversion state empty.
std::string EngineText(const Picture& picture, const std::string& definitions,
                       int32_t blockWidth, int32_t blockHeight);

#endif  // GLYPHRANE_TESTS_COMMAND_COMMAND_TEST_SUPPORT_H_
