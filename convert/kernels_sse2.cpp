// The SSE2 path, compiled with -msse2 and entered only through the dispatch in
// kernel_dispatch.cpp, after the processor has been seen to have SSE2.
#include <emmintrin.h>

#include "convert/conversion_state.h"
#include "convert/engine_kernels.h"

namespace {

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

inline __m128i AbsoluteDifference(__m128i a, __m128i b) {
  return _mm_or_si128(_mm_subs_epu8(a, b), _mm_subs_epu8(b, a));
}

// Bytes 0 + 1 + 2 of each pixel, in its 32-bit lane; byte 3 takes no part.
inline __m128i ColourSum(__m128i bytes) {
  const __m128i low = _mm_and_si128(bytes, _mm_set1_epi16(0x00FF));  // bytes 0 and 2
  const __m128i high = _mm_srli_epi16(bytes, 8);                     // bytes 1 and 3
  return _mm_add_epi32(_mm_madd_epi16(low, _mm_set1_epi32(0x00010001)),
                       _mm_madd_epi16(high, _mm_set1_epi32(0x00000001)));
}

// EdgeStrength of four pixels at once, placed in byte 3 of the source colours.
inline __m128i WithEdges(__m128i pixel, __m128i right, __m128i below) {
  const __m128i h = ColourSum(AbsoluteDifference(pixel, right));
  const __m128i v = ColourSum(AbsoluteDifference(pixel, below));
  // Sums are at most 765, so 16-bit lanes hold them, and x * 21846 >> 16 is x / 3
  // for every such x.
  const __m128i edge = _mm_mulhi_epu16(_mm_max_epi16(h, v), _mm_set1_epi32(21846));
  const __m128i colours = _mm_and_si128(pixel, _mm_set1_epi32(0x00FFFFFF));
  return _mm_or_si128(colours, _mm_slli_epi32(edge, 24));
}

void PlainRow(const uint8_t* source, uint8_t* target, int32_t width) {
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
  int32_t x = 0;
  for (; x + 4 <= width; x += 4) {
    Store(target + x * size_t{4}, _mm_and_si128(Load(source + x * size_t{4}), colours));
  }
  for (; x < width; ++x) {
    for (int b = 0; b < 3; ++b) target[x * size_t{4} + b] = source[x * size_t{4} + b];
    target[x * size_t{4} + 3] = 0;
  }
}

void EdgeRow(const uint8_t* source, const uint8_t* below, uint8_t* target, int32_t width) {
  int32_t x = 1;
  // The right-hand neighbours of pixels x..x+3 reach pixel x+4, the last one read.
  for (; x + 4 <= width - 1; x += 4) {
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
  const __m128i zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    __m128i low = zero, high = zero;
    const uint8_t* p = first + i;
    for (int32_t r = 0; r < rows; ++r, p += stride) {
      const __m128i v = Load(p);
      low = _mm_add_epi16(low, _mm_unpacklo_epi8(v, zero));
      high = _mm_add_epi16(high, _mm_unpackhi_epi8(v, zero));
    }
    Store(sums + i, low);
    Store(sums + i + 8, high);
  }
  for (; i < bytes; ++i) {
    uint32_t sum = 0;
    for (int32_t r = 0; r < rows; ++r) sum += first[r * stride + i];
    sums[i] = static_cast<uint16_t>(sum);
  }
}

// ScaledCube of |probe - value| in each 16-bit lane.
inline __m128i ScaledCubes(__m128i probe, __m128i value, __m128i scale) {
  const __m128i d = _mm_sub_epi16(probe, value);
  const __m128i a = _mm_sll_epi16(_mm_max_epi16(d, _mm_sub_epi16(_mm_setzero_si128(), d)), scale);
  return _mm_mulhi_epu16(_mm_mulhi_epu16(a, a), a);
}

// One bit per lane whose bound exceeds limit, lanes 0-7 of low, then of high.
inline uint32_t OverBits(__m128i low, __m128i high, __m128i limit) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i within = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_subs_epu16(low, limit), zero),
                                         _mm_cmpeq_epi16(_mm_subs_epu16(high, limit), zero));
  return ~static_cast<uint32_t>(_mm_movemask_epi8(within)) & 0xFFFFu;
}

// SSE2 has no unsigned 16-bit minimum.
inline __m128i Least(__m128i a, __m128i b) { return _mm_sub_epi16(a, _mm_subs_epu16(a, b)); }

// The records of group g that bits marks, listed after the n already listed.
inline uint32_t List(uint32_t bits, uint32_t g, uint16_t* listed, uint32_t n) {
  for (; bits != 0; bits &= bits - 1) {
    listed[n++] = static_cast<uint16_t>(g * 16 + static_cast<uint32_t>(__builtin_ctz(bits)));
  }
  return n;
}

uint32_t CubeBounds(const int16_t* values, uint32_t count, const int16_t* /*boxes*/,
                    const int32_t probe[12], uint32_t scale, uint16_t limit, uint16_t* bounds,
                    uint16_t* listed) {
  const __m128i shift = _mm_cvtsi32_si128(static_cast<int32_t>(scale));
  const __m128i slack = _mm_set1_epi16(static_cast<int16_t>(kBoundSlack));
  __m128i threshold = _mm_set1_epi16(static_cast<int16_t>(limit));
  const uint32_t groups = (count + 15) / 16;
  for (uint32_t g = 0; g < groups; ++g) {
    const int16_t* group = values + g * kGroupValues;
    __m128i sums[2] = {_mm_setzero_si128(), _mm_setzero_si128()};
    // The colours first: records are kept in order of blue, so a group far in tone
    // has lost by them alone and its edges are not looked at. Each group's least
    // bound tightens the threshold for the groups after it.
    for (uint32_t k = 0; k < 12; ++k) {
      for (int half = 0; half < 2; ++half) {
        sums[half] = _mm_adds_epu16(sums[half],
                                    ScaledCubes(_mm_set1_epi16(static_cast<int16_t>(probe[k])),
                                                Load(group + k * 16 + 8 * half), shift));
      }
      if (k == 2 && OverBits(sums[0], sums[1], threshold) == 0xFFFFu) break;
      if (k == 11) {
        __m128i least = Least(sums[0], sums[1]);
        least = Least(least, _mm_shuffle_epi32(least, 0x4E));
        least = Least(least, _mm_shuffle_epi32(least, 0xB1));
        least = Least(least, _mm_shufflelo_epi16(_mm_shufflehi_epi16(least, 0xB1), 0xB1));
        threshold = Least(threshold, _mm_adds_epu16(least, slack));
      }
    }
    // A group passed over keeps its partial sums, which exceed every later threshold.
    Store(bounds + g * 16, sums[0]);
    Store(bounds + g * 16 + 8, sums[1]);
  }
  // The places past count repeat a record; they are not listed.
  const uint32_t last = count % 16 == 0 ? 0xFFFFu : (uint32_t{1} << (count % 16)) - 1;
  uint32_t n = 0;
  for (uint32_t g = 0; g < groups; ++g) {
    const uint32_t bits =
        ~OverBits(Load(bounds + g * 16), Load(bounds + g * 16 + 8), threshold) & 0xFFFFu;
    n = List(g + 1 == groups ? bits & last : bits, g, listed, n);
  }
  return n;
}

}  // namespace

const EngineKernels kSse2Kernels = {PlainRow, EdgeRow, ColumnSums, CubeBounds,
                                    PlainNearestListed, PlainExactDistance};
