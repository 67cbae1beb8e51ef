#include "gdi/blend.h"

#if defined(__x86_64__)
#include <immintrin.h>
#define WINCE_BLEND_X86 1
#endif

namespace wince {

namespace {

// Everything fits 16 bits (at most 65407). x / 255 is (x + 1 + (x >> 8)) >> 8 for every
// such x, which saves the division.
// Inlined into each path, so a vector path's tail runs in its own instruction set.
inline void BlendScalarInline(uint8_t* d, const uint8_t* s, size_t n, unsigned a) {
  const uint16_t a16 = uint16_t(a), b16 = uint16_t(255 - a);
  for (size_t i = 0; i < n; ++i) {
    uint16_t v = uint16_t(s[i] * a16 + d[i] * b16 + 127);
    d[i] = uint8_t(uint16_t(v + 1 + (v >> 8)) >> 8);
  }
}

void BlendScalar(uint8_t* d, const uint8_t* s, size_t n, unsigned a) { BlendScalarInline(d, s, n, a); }

#ifdef WINCE_BLEND_X86

// The vector paths divide by 255 as (x * 0x8081) >> 23, exact for every 16-bit x: the
// high half of the product, then 7 more bits.

__m128i Mix8(__m128i s, __m128i d, __m128i a, __m128i b, __m128i bias, __m128i divide) {
  __m128i v = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, b)), bias);
  return _mm_srli_epi16(_mm_mulhi_epu16(v, divide), 7);
}

void BlendSse2(uint8_t* d, const uint8_t* s, size_t n, unsigned alpha) {
  const __m128i a = _mm_set1_epi16(short(alpha)), b = _mm_set1_epi16(short(255 - alpha));
  const __m128i bias = _mm_set1_epi16(127), divide = _mm_set1_epi16(short(0x8081)), zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    __m128i low = Mix8(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero), a, b, bias, divide);
    __m128i high = Mix8(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero), a, b, bias, divide);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(low, high));
  }
  BlendScalarInline(d + i, s + i, n - i, alpha);
}

// With AVX2 one instruction multiplies byte pairs and adds the products: with the pair
// (x, y) and the weights (w, -(w + 1)), (y << 8) + x * w - y * (w + 1) is x * w + y * (255 - w).
// The weights must fit signed bytes, so x is the source for a <= 127 and the target (with
// w = 255 - a) above; the sum never leaves 16 bits.
__attribute__((target("avx2"))) __m256i Mix16(__m256i pairs, __m256i high, __m256i weights, __m256i bias,
                                               __m256i divide) {
  __m256i v = _mm256_add_epi16(_mm256_add_epi16(high, _mm256_maddubs_epi16(pairs, weights)), bias);
  return _mm256_srli_epi16(_mm256_mulhi_epu16(v, divide), 7);
}

// The unpacks and the pack work within each 128-bit lane, so bytes come back in order.
__attribute__((target("avx2"))) void BlendAvx2(uint8_t* d, const uint8_t* s, size_t n, unsigned alpha) {
  const bool sourceFirst = alpha <= 127;
  const int w = int(sourceFirst ? alpha : 255 - alpha);
  const __m256i weights = _mm256_set1_epi16(short(uint8_t(-(w + 1)) << 8 | w));
  const __m256i bias = _mm256_set1_epi16(127), divide = _mm256_set1_epi16(short(0x8081));
  const __m256i zero = _mm256_setzero_si256();
  size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
    __m256i x = sourceFirst ? sv : dv, y = sourceFirst ? dv : sv;
    __m256i low = Mix16(_mm256_unpacklo_epi8(x, y), _mm256_unpacklo_epi8(zero, y), weights, bias, divide);
    __m256i high = Mix16(_mm256_unpackhi_epi8(x, y), _mm256_unpackhi_epi8(zero, y), weights, bias, divide);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_packus_epi16(low, high));
  }
  BlendScalarInline(d + i, s + i, n - i, alpha);
}

#endif

std::vector<BlendPath> FindPaths() {
  std::vector<BlendPath> paths = {{"scalar", BlendScalar}};
#ifdef WINCE_BLEND_X86
  if (__builtin_cpu_supports("sse2")) paths.push_back({"sse2", BlendSse2});
  if (__builtin_cpu_supports("avx2")) paths.push_back({"avx2", BlendAvx2});
#endif
  return paths;
}

}  // namespace

const std::vector<BlendPath>& BlendPaths() {
  static const std::vector<BlendPath> paths = FindPaths();
  return paths;
}

void BlendBytes(uint8_t* d, const uint8_t* s, size_t n, unsigned a) {
  static const BlendBytesFunction fastest = BlendPaths().back().blend;
  fastest(d, s, n, a);
}

}  // namespace wince
