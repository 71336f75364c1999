// The AVX2 path, compiled with -mavx2 and entered only through the dispatch in
// kernel_dispatch.cpp, after the processor and the operating system have been
// seen to support AVX2.
#include <immintrin.h>

#include <cstdint>

#include "convert/conversion_state.h"
#include "convert/engine_kernels.h"

namespace {

inline __m256i Load(const void* p) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}
inline void Store(void* p, __m256i v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }

inline __m256i AbsoluteDifference(__m256i a, __m256i b) {
  return _mm256_or_si256(_mm256_subs_epu8(a, b), _mm256_subs_epu8(b, a));
}

// Bytes 0 + 1 + 2 of each pixel, in its 32-bit lane; byte 3 takes no part.
inline __m256i ColourSum(__m256i bytes) {
  return _mm256_madd_epi16(_mm256_maddubs_epi16(bytes, _mm256_set1_epi32(0x00010101)),
                           _mm256_set1_epi16(1));
}

// EdgeStrength of eight pixels at once, placed in byte 3 of the source colours.
inline __m256i WithEdges(__m256i pixel, __m256i right, __m256i below) {
  const __m256i h = ColourSum(AbsoluteDifference(pixel, right));
  const __m256i v = ColourSum(AbsoluteDifference(pixel, below));
  // Sums are at most 765, so 16-bit lanes hold them, and x * 21846 >> 16 is x / 3
  // for every such x.
  const __m256i edge = _mm256_mulhi_epu16(_mm256_max_epi16(h, v), _mm256_set1_epi32(21846));
  const __m256i colours = _mm256_and_si256(pixel, _mm256_set1_epi32(0x00FFFFFF));
  return _mm256_or_si256(colours, _mm256_slli_epi32(edge, 24));
}

void PlainRow(const uint8_t* source, uint8_t* target, int32_t width) {
  const __m256i colours = _mm256_set1_epi32(0x00FFFFFF);
  int32_t x = 0;
  for (; x + 8 <= width; x += 8) {
    Store(target + x * size_t{4}, _mm256_and_si256(Load(source + x * size_t{4}), colours));
  }
  for (; x < width; ++x) {
    for (int b = 0; b < 3; ++b) target[x * size_t{4} + b] = source[x * size_t{4} + b];
    target[x * size_t{4} + 3] = 0;
  }
}

void EdgeRow(const uint8_t* source, const uint8_t* below, uint8_t* target, int32_t width) {
  int32_t x = 1;
  // The right-hand neighbours of pixels x..x+7 reach pixel x+8, the last one read.
  for (; x + 8 <= width - 1; x += 8) {
    const size_t at = x * size_t{4};
    Store(target + at, WithEdges(Load(source + at), Load(source + at + 4), Load(below + at)));
  }
  for (; x < width - 1; ++x) {
    const size_t at = x * size_t{4};
    for (int b = 0; b < 3; ++b) target[at + b] = source[at + b];
    target[at + 3] = static_cast<uint8_t>(
        EdgeStrength(source + at, source + at + 4, source + at, below + at));
  }
  PlainRow(source, target, 1);
  PlainRow(source + (width - 1) * size_t{4}, target + (width - 1) * size_t{4}, 1);
}

void ColumnSums(const uint8_t* first, size_t stride, int32_t rows, size_t bytes,
                uint16_t* sums) {
  size_t i = 0;
  for (; i + 32 <= bytes; i += 32) {
    __m256i low = _mm256_setzero_si256(), high = _mm256_setzero_si256();
    const uint8_t* p = first + i;
    for (int32_t r = 0; r < rows; ++r, p += stride) {
      low = _mm256_add_epi16(low, _mm256_cvtepu8_epi16(
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
      high = _mm256_add_epi16(high, _mm256_cvtepu8_epi16(
                                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16))));
    }
    Store(sums + i, low);
    Store(sums + i + 16, high);
  }
  for (; i < bytes; ++i) {
    uint32_t sum = 0;
    for (int32_t r = 0; r < rows; ++r) sum += first[r * stride + i];
    sums[i] = static_cast<uint16_t>(sum);
  }
}

// ScaledCube of |probe - value| in each 16-bit lane.
inline __m256i ScaledCubes(__m256i probe, __m256i value, __m128i scale) {
  const __m256i a = _mm256_sll_epi16(_mm256_abs_epi16(_mm256_sub_epi16(probe, value)), scale);
  return _mm256_mulhi_epu16(_mm256_mulhi_epu16(a, a), a);
}

// One bit per lane whose bound exceeds limit, in lane order.
inline uint32_t OverBits(__m256i sums, __m256i limit) {
  const __m256i within = _mm256_cmpeq_epi16(_mm256_max_epu16(sums, limit), limit);
  const __m128i packed = _mm_packs_epi16(_mm256_castsi256_si128(within),
                                         _mm256_extracti128_si256(within, 1));
  return ~static_cast<uint32_t>(_mm_movemask_epi8(packed)) & 0xFFFFu;
}

// The least of sixteen lanes, in every lane.
inline __m256i LeastOf(__m256i sums) {
  const __m128i both = _mm_min_epu16(_mm256_castsi256_si128(sums),
                                     _mm256_extracti128_si256(sums, 1));
  return _mm256_broadcastw_epi16(_mm_minpos_epu16(both));
}

// ScaledCube of how far each 16-bit lane of values lies outside [low, high].
inline __m128i CubesBeyond(__m128i values, const int16_t* low, const int16_t* high, __m128i shift) {
  const __m128i beyond = _mm_max_epi16(
      _mm_max_epi16(
          _mm_subs_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low)), values),
          _mm_subs_epi16(values, _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)))),
      _mm_setzero_si128());
  const __m128i a = _mm_sll_epi16(beyond, shift);
  return _mm_mulhi_epu16(_mm_mulhi_epu16(a, a), a);
}

// A bound of the edge terms of every record at once, from the table's box, in every
// lane. Saturating sums in any order come to the same least of the sum and 65535.
inline __m256i EdgeFloor(const int16_t* boxes, const int32_t probe[12], __m128i shift) {
  const __m128i* p = reinterpret_cast<const __m128i*>(probe);
  const __m128i first = _mm_packs_epi32(_mm_loadu_si128(p), _mm_loadu_si128(p + 1));
  const __m128i second = _mm_packs_epi32(_mm_loadu_si128(p + 2), _mm_setzero_si128());
  const int16_t* lows = boxes + kTableBox;
  __m128i sum = _mm_adds_epu16(CubesBeyond(first, lows, lows + 16, shift),
                               CubesBeyond(second, lows + 8, lows + 24, shift));
  sum = _mm_adds_epu16(sum, _mm_srli_si128(sum, 8));
  sum = _mm_adds_epu16(sum, _mm_srli_si128(sum, 4));
  sum = _mm_adds_epu16(sum, _mm_srli_si128(sum, 2));
  return _mm256_broadcastw_epi16(sum);
}

uint32_t CubeBounds(const int16_t* values, uint32_t count, const int16_t* boxes,
                    const int32_t probe[12], uint32_t scale, uint16_t limit, uint16_t* bounds,
                    uint16_t* listed) {
  const __m128i shift = _mm_cvtsi32_si128(static_cast<int32_t>(scale));
  const __m256i slack = _mm256_set1_epi16(static_cast<int16_t>(kBoundSlack));
  const __m256i zero = _mm256_setzero_si256();
  __m256i threshold = _mm256_set1_epi16(static_cast<int16_t>(limit));
  __m256i probes[12];
  for (int k = 0; k < 12; ++k) probes[k] = _mm256_set1_epi16(static_cast<int16_t>(probe[k]));
  const uint32_t groups = (count + 15) / 16;

  // A bound of every group at once, from the distance to its box; ScaledCube only
  // grows with the difference, so none exceeds a bound of the group's records.
  const __m256i edgeFloor = EdgeFloor(boxes, probe, shift);
  __m256i boxBounds = edgeFloor;
  for (uint32_t k = 0; k < kBoxColours; ++k) {
    const __m256i beyond = _mm256_max_epi16(
        _mm256_max_epi16(_mm256_sub_epi16(Load(boxes + k * 16), probes[k]),
                         _mm256_sub_epi16(probes[k], Load(boxes + kBoxHighs + k * 16))),
        zero);
    const __m256i a = _mm256_sll_epi16(beyond, shift);
    boxBounds = _mm256_adds_epu16(boxBounds, _mm256_mulhi_epu16(_mm256_mulhi_epu16(a, a), a));
  }
  const __m256i lanes = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  boxBounds = _mm256_or_si256(boxBounds, _mm256_cmpgt_epi16(
      _mm256_set1_epi16(1), _mm256_sub_epi16(_mm256_set1_epi16(static_cast<int16_t>(groups)), lanes)));
  // The group of the nearest box first: the likeliest to tighten the threshold.
  const uint32_t low = static_cast<uint32_t>(_mm_cvtsi128_si32(
      _mm_minpos_epu16(_mm256_castsi256_si128(boxBounds))));
  const uint32_t high = static_cast<uint32_t>(_mm_cvtsi128_si32(
      _mm_minpos_epu16(_mm256_extracti128_si256(boxBounds, 1))));
  uint32_t next = (high & 0xFFFFu) < (low & 0xFFFFu) ? 8 + (high >> 16 & 7) : low >> 16 & 7;
  const uint32_t present = (uint32_t{1} << groups) - 1;
  // Groups whose box does not lose; the nearest box is one of them if any is.
  // Visited groups are bounded, seen ones to the end, their bounds stored.
  uint32_t candidates = ~OverBits(boxBounds, threshold) & present, visited = 0, seen = 0;
  while (candidates != 0) {
    const int16_t* group = values + next * kGroupValues;
    visited |= uint32_t{1} << next;
    __m256i sum = zero;
    for (uint32_t k = 0; k < kBoxColours; ++k) {
      sum = _mm256_adds_epu16(sum, ScaledCubes(probes[k], Load(group + k * 16), shift));
    }
    // Where the colours and the least that any edges add lose in every lane, the
    // group is done. A box lets each colour take its nearest extreme on its own, so
    // a colourful probe passes the boxes of grey groups whose records' colours,
    // tied together, lose.
    if (OverBits(_mm256_adds_epu16(sum, edgeFloor), threshold) != 0xFFFFu) {
      for (uint32_t k = kBoxColours; k < 12; ++k) {
        sum = _mm256_adds_epu16(sum, ScaledCubes(probes[k], Load(group + k * 16), shift));
      }
      Store(bounds + next * 16, sum);
      // Each group's least bound tightens the threshold for the groups after it.
      threshold = _mm256_min_epu16(threshold, _mm256_adds_epu16(LeastOf(sum), slack));
      seen |= uint32_t{1} << next;
      candidates &= ~OverBits(boxBounds, threshold);
    }
    candidates &= ~visited;
    if (candidates != 0) next = static_cast<uint32_t>(__builtin_ctz(candidates));
  }
  // Groups passed over have lost by their boxes or their colours, to a threshold
  // that only fell. The places past count repeat a record; they are not listed.
  const uint32_t last = count % 16 == 0 ? 0xFFFFu : (uint32_t{1} << (count % 16)) - 1;
  uint32_t n = 0;
  for (; seen != 0; seen &= seen - 1) {
    const uint32_t g = static_cast<uint32_t>(__builtin_ctz(seen));
    uint32_t bits = ~OverBits(Load(bounds + g * 16), threshold) & 0xFFFFu;
    if (g + 1 == groups) bits &= last;
    // Where bounds saturate (probes far from every record) whole groups are listed.
    if (bits == 0xFFFFu) {
      Store(listed + n, _mm256_add_epi16(_mm256_set1_epi16(static_cast<int16_t>(g * 16)), lanes));
      n += 16;
      continue;
    }
    for (; bits != 0; bits &= bits - 1) {
      listed[n++] = static_cast<uint16_t>(g * 16 + static_cast<uint32_t>(__builtin_ctz(bits)));
    }
  }
  return n;
}

uint32_t ExactDistance(const int32_t values[12], const int32_t probe[12]) {
  const __m256i d = _mm256_abs_epi32(_mm256_sub_epi32(Load(probe), Load(values)));
  const __m256i first = _mm256_mullo_epi32(_mm256_mullo_epi32(d, d), d);  // values 0-7
  const __m128i e = _mm_abs_epi32(
      _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(probe + 8)),
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + 8))));
  __m128i sum = _mm_add_epi32(_mm_mullo_epi32(_mm_mullo_epi32(e, e), e),  // values 8-11
                              _mm_add_epi32(_mm256_castsi256_si128(first),
                                            _mm256_extracti128_si256(first, 1)));
  sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0x4E));
  sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0xB1));
  return static_cast<uint32_t>(_mm_cvtsi128_si32(sum));
}

// Up to this many listed records are summed one at a time; more are summed eight
// at a time, their values gathered.
constexpr uint32_t kFewListed = 8;

// The nearest of n > kFewListed listed records, eight at a time, their values
// gathered; into *least and *best, which hold what was nearest before.
__attribute__((noinline)) void NearestInEights(const int32_t* rows, const uint16_t* listed,
                                               uint32_t n, const int32_t probe[12],
                                               const uint16_t* indices, uint32_t* least,
                                               uint32_t* best) {
  __m256i probes[12];
  for (int k = 0; k < 12; ++k) probes[k] = _mm256_set1_epi32(probe[k]);
  const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i lastPlace = _mm256_set1_epi32(listed[n - 1]);
  for (uint32_t j = 0; j < n; j += 8) {
    // A short batch repeats the last listed record, which changes no answer.
    const __m256i read = _mm256_cvtepu16_epi32(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(listed + j)));
    const __m256i inside =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int32_t>(n - j)), lanes);
    alignas(32) uint32_t places[8];
    const __m256i place = _mm256_blendv_epi8(lastPlace, read, inside);
    Store(places, place);
    const __m256i offsets = _mm256_mullo_epi32(place, _mm256_set1_epi32(12));
    __m256i sum = _mm256_setzero_si256();
    for (int k = 0; k < 12; ++k) {
      const __m256i d = _mm256_abs_epi32(
          _mm256_sub_epi32(probes[k], _mm256_i32gather_epi32(rows + k, offsets, 4)));
      sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(_mm256_mullo_epi32(d, d), d));
    }
    // Distances fit 31 bits: signed minima order them.
    __m256i m = _mm256_min_epi32(sum, _mm256_permute2x128_si256(sum, sum, 1));
    m = _mm256_min_epi32(m, _mm256_shuffle_epi32(m, 0x4E));
    m = _mm256_min_epi32(m, _mm256_shuffle_epi32(m, 0xB1));
    const uint32_t batchLeast = static_cast<uint32_t>(_mm256_cvtsi256_si32(m));
    if (batchLeast > *least) continue;
    uint32_t ties = static_cast<uint32_t>(
        _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(sum, m))));
    for (; ties != 0; ties &= ties - 1) {
      const uint32_t index = indices[places[__builtin_ctz(ties)]];
      if (batchLeast < *least || index < *best) {
        *least = batchLeast;
        *best = index;
      }
    }
  }
}

uint32_t NearestListed(const int32_t* rows, const uint16_t* listed, uint32_t n,
                       const int32_t probe[12], const uint16_t* indices, uint32_t* distance) {
  uint32_t best = UINT32_MAX, least = UINT32_MAX;
  if (n > kFewListed) {
    NearestInEights(rows, listed, n, probe, indices, &least, &best);
  } else {
    for (uint32_t j = 0; j < n; ++j) {
      const uint32_t sum = ExactDistance(rows + 12 * size_t{listed[j]}, probe);
      const uint32_t index = indices[listed[j]];
      if (sum < least || (sum == least && index < best)) {
        least = sum;
        best = index;
      }
    }
  }
  if (best != UINT32_MAX) *distance = least;
  return best;
}

}  // namespace

const EngineKernels kAvx2Kernels = {PlainRow, EdgeRow, ColumnSums, CubeBounds,
                                    NearestListed, ExactDistance};
