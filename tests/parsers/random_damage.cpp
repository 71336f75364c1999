#include "tests/parsers/random_damage.h"

#include <vector>

namespace {

// Numbers at and around the limits the readers check against.
const char* const kNumbers[] = {
    "0",          "1",          "255",        "256",         "65535",
    "65536",      "46341",      "2147483647", "2147483648",  "4294967295",
    "4294967296", "1073741824", "536870912",  "99999999999999999999999999",
    "0000000000000000000001",   "-1",         "+1",          "1e3"};

const char* const kPieces[] = {"#", "#\n", "# comment\r", "#\r\n", " ", "\n", "\r", "\t",
                               "\v", "\f", "\0", "\xFF", "P", "6", "0", "#no end"};

uint32_t Position(const std::string& file, Random* random) {
  return random->Next(static_cast<uint32_t>(file.size()) + 1);
}

// Where the header's numbers are: runs of digits near the start.
std::vector<std::pair<size_t, size_t>> HeaderNumbers(const std::string& file) {
  std::vector<std::pair<size_t, size_t>> runs;
  const size_t end = file.size() < 96 ? file.size() : 96;
  for (size_t at = 2; at < end;) {
    if (file[at] >= '0' && file[at] <= '9') {
      size_t start = at;
      while (at < file.size() && file[at] >= '0' && file[at] <= '9') ++at;
      runs.emplace_back(start, at - start);
    } else {
      ++at;
    }
  }
  return runs;
}

void DamageOnce(std::string* file, Random* random) {
  switch (random->Next(8)) {
    case 0:  // cut short
      file->resize(Position(*file, random));
      break;
    case 1: {  // bytes changed
      for (uint32_t n = 1 + random->Next(4); n > 0 && !file->empty(); --n) {
        (*file)[random->Next(static_cast<uint32_t>(file->size()))] =
            static_cast<char>(random->Next(256));
      }
      break;
    }
    case 2: {  // a header number replaced
      const auto runs = HeaderNumbers(*file);
      if (runs.empty()) break;
      const auto& run = runs[random->Next(static_cast<uint32_t>(runs.size()))];
      file->replace(run.first, run.second,
                    kNumbers[random->Next(sizeof kNumbers / sizeof kNumbers[0])]);
      break;
    }
    case 3: {  // a comment or separator put in, mostly into the header
      const char* piece = kPieces[random->Next(sizeof kPieces / sizeof kPieces[0])];
      const std::string text = *piece ? piece : std::string(1, '\0');
      const uint32_t limit = static_cast<uint32_t>(file->size() < 24 ? file->size() : 24);
      const uint32_t at = random->OneIn(4) ? Position(*file, random) : random->Next(limit + 1);
      file->insert(at, text);
      break;
    }
    case 4: {  // a piece removed
      const uint32_t at = Position(*file, random);
      file->erase(at, 1 + random->Next(8));
      break;
    }
    case 5: {  // a piece repeated
      if (file->empty()) break;
      const uint32_t at = random->Next(static_cast<uint32_t>(file->size()));
      const std::string piece = file->substr(at, 1 + random->Next(16));
      file->insert(at, piece);
      break;
    }
    case 6:  // another format digit
      if (file->size() > 1) (*file)[1] = static_cast<char>('0' + random->Next(8));
      break;
    default:  // extra bytes at the end
      for (uint32_t n = random->Next(8); n > 0; --n) {
        file->push_back(static_cast<char>(random->Next(256)));
      }
      break;
  }
}

}  // namespace

std::string Damage(const std::string& file, Random* random) {
  std::string damaged = file;
  for (uint32_t n = 1 + random->Next(3); n > 0; --n) DamageOnce(&damaged, random);
  return damaged;
}
