#include "tests/convert/test_files.h"

#include <cstdio>
#include <cstdlib>

#include "gtest/gtest.h"

namespace {

std::string TempFolder() {
  for (const char* name : {"TEST_TMPDIR", "TMPDIR", "TEMP", "TMP"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return ".";
}

std::string UniqueName() {
  static int counter = 0;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test != nullptr ? std::string(test->name()) : "file";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return TempFolder() + "/glyphrane_" + name + "_" + std::to_string(++counter) + ".txt";
}

}  // namespace

TempFile::TempFile(const std::string& contents) : path_(UniqueName()) { Rewrite(contents); }

TempFile::~TempFile() { std::remove(path_.c_str()); }

void TempFile::Rewrite(const std::string& contents) const {
  std::FILE* file = std::fopen(path_.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path_;
  std::fwrite(contents.data(), 1, contents.size(), file);
  std::fclose(file);
}

std::string MissingFilePath() { return TempFolder() + "/glyphrane_no_such_file.txt"; }
