#ifndef GLYPHRANE_CONVERT_RECORD_LAYOUT_H_
#define GLYPHRANE_CONVERT_RECORD_LAYOUT_H_

#include <cstdint>

#include "convert/engine_kernels.h"

// Where value k of record i lies in the search's grouped layout (engine_kernels.h).
// Apart from engine_kernels.h, for its inline function: the vector paths address
// whole groups and never include it.
inline uint32_t GroupedAt(uint32_t record, uint32_t k) {
  return record / kRecordGroup * kGroupValues + k * kRecordGroup + record % kRecordGroup;
}

#endif  // GLYPHRANE_CONVERT_RECORD_LAYOUT_H_
