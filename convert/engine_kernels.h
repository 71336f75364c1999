#ifndef GLYPHRANE_CONVERT_ENGINE_KERNELS_H_
#define GLYPHRANE_CONVERT_ENGINE_KERNELS_H_

#include <cstddef>
#include <cstdint>

// The engine's inner loops, one table per instruction set, each in a file of its
// own compiled for that set alone. This header must stay free of inline functions:
// an inline function compiled with -mavx2 in one file could be the copy the linker
// keeps for every caller, and run on a processor without AVX2.
struct EngineKernels {
  // One grid row without edges (the picture's first and last): bytes 0-2 of each
  // of width pixels copied from source, byte 3 set to 0.
  void (*plainRow)(const uint8_t* source, uint8_t* target, int32_t width);
  // One interior grid row: colours copied from source, byte 3 the EdgeStrength of
  // each pixel against its right-hand neighbour and the pixel below (in below),
  // except 0 for the first and last pixel. REQUIRES: width >= 3.
  void (*edgeRow)(const uint8_t* source, const uint8_t* below, uint8_t* target, int32_t width);
  // sums[i] = the sum over rows r < rows of first[r * stride + i], for i < bytes.
  // REQUIRES: rows <= kColumnSumRowLimit, so that no sum leaves 16 bits.
  void (*columnSums)(const uint8_t* first, size_t stride, int32_t rows, size_t bytes,
                     uint16_t* sums);
  // A lower bound of each record's distance, in units of 2^(32 - 3 * scale), for
  // the records laid out by group and value (value k of record i at
  // values[GroupedAt(i, k)]): the sum over k < 12 of ScaledCube(|probe[k] - value|,
  // scale), saturated at 65535.
  // Lists in listed, in ascending order, the records i < count whose bound is at
  // most the lesser of limit and (the least bound of all) + kBoundSlack, returns
  // how many, and leaves each listed record's bound in bounds[i] (the others'
  // are unspecified). A record whose bound is past least + kBoundSlack is farther
  // than the record of the least bound, so only the listed records and whichever
  // record limit came from can be the nearest.
  // boxes are GroupBoxes' of values: a path may pass over a group whose box alone
  // loses, or whose colours do with the least that the table's edges add, which
  // changes no answer.
  // REQUIRES: 1 <= count <= kRecordGroup * kRecordGroup; the places past count up
  // to a whole group repeat record count - 1, and bounds and listed hold that many;
  // scale is 6, 7 or 8; every |difference| < 2^(16 - scale).
  uint32_t (*cubeBounds)(const int16_t* values, uint32_t count, const int16_t* boxes,
                         const int32_t probe[12], uint32_t scale, uint16_t limit,
                         uint16_t* bounds, uint16_t* listed);
  // Among the n records listed, the one nearest to probe by the exact distance, the
  // sum over k < 12 of |probe[k] - rows[12 * i + k]|^3; among equally near ones,
  // the one of least indices[i]. Returns its indices[i] and puts its distance into
  // *distance, or returns UINT32_MAX when n is 0.
  // REQUIRES: every |difference| <= 563, so that twelve cubes fit 31 bits; indices
  // below 65535; listed may be read up to the next multiple of 8 past n (what lies
  // there is not used).
  uint32_t (*nearestListed)(const int32_t* rows, const uint16_t* listed, uint32_t n,
                            const int32_t probe[12], const uint16_t* indices,
                            uint32_t* distance);
  // The exact distance of one record's twelve values from probe's, under the same
  // REQUIRES as nearestListed.
  uint32_t (*exactDistance)(const int32_t values[12], const int32_t probe[12]);
};

// 257 x 255 is the largest such sum that fits 16 bits.
constexpr int32_t kColumnSumRowLimit = 257;
// ScaledCube(u, scale), for u < 2^(16 - scale): the cube of u in units of
// 2^(32 - 3 * scale), rounded down twice so that it never exceeds the exact
// quotient: what 16-bit multiplications that keep the high halves give.
//   a = u << scale, s = a * a >> 16, ScaledCube = s * a >> 16.
// The largest scale that a table's differences allow is the finest unit: 8 (units
// of 2^8) when every value lies in 0-255, as the shipped sets' do.
// Each rounding takes off less than 1, and the second one also up to a / 2^16 < 1
// of the first's loss: ScaledCube > the exact quotient - 2. So an unsaturated bound
// b of twelve terms has distance < (b + 24) units, and a bound of b + 24 or more is
// farther than that.
constexpr uint32_t kBoundSlack = 23;

// Records are laid out in groups of this many: one AVX2 register of 16-bit values.
// A group's twelve values follow each other (kGroupValues of them), value 0 of its
// records first, so that a group is read from one run of memory at fixed offsets:
// GroupedAt in record_layout.h.
constexpr uint32_t kRecordGroup = 16;
constexpr uint32_t kGroupValues = 12 * kRecordGroup;

// What the AVX2 path bounds whole groups by, in boxes[kBoxValues]: of each group g
// of kRecordGroup records in values (laid out as for cubeBounds), the least and
// greatest colour value k < kBoxColours, boxes[k * 16 + g] and
// boxes[kBoxHighs + k * 16 + g], 0 for groups past count; and of the whole table the
// least and greatest edge value k (kBoxColours <= k < 12), boxes[kTableBox + k] and
// boxes[kTableBox + 16 + k], with INT16_MIN and INT16_MAX at the other k < 16, which
// then take no part. Records are in order of blue, so a group's colours lie close
// together, but its edges range about as widely as the table's: one box for every
// group's edges bounds nearly as tightly as a box per group, for one vector
// operation in place of nine.
constexpr uint32_t kBoxColours = 3;
constexpr uint32_t kBoxHighs = kBoxColours * kRecordGroup;
constexpr uint32_t kTableBox = 2 * kBoxHighs;
constexpr uint32_t kBoxValues = kTableBox + 32;
void GroupBoxes(const int16_t* values, uint32_t count, int16_t boxes[kBoxValues]);

// The plain nearestListed and exactDistance, shared by the scalar and SSE2 tables
// (SSE2 has no 32-bit multiplication across lanes).
uint32_t PlainNearestListed(const int32_t* rows, const uint16_t* listed, uint32_t n,
                            const int32_t probe[12], const uint16_t* indices,
                            uint32_t* distance);
uint32_t PlainExactDistance(const int32_t values[12], const int32_t probe[12]);

extern const EngineKernels kScalarKernels;
extern const EngineKernels kSse2Kernels;
extern const EngineKernels kAvx2Kernels;

// The table of ActiveInstructionSet().
const EngineKernels& ActiveKernels();

#endif  // GLYPHRANE_CONVERT_ENGINE_KERNELS_H_
