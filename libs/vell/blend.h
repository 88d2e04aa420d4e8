// Small pixel arithmetic shared by the geometry routines: an 8-bit fixed-point blend of two
// 0x00RRGGBB pixels that keeps a flat colour exactly flat.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vell {

// a * (256 - w) + b * w, rounded, per channel; w in 0..256. Red and blue travel together in the
// even bytes, green on its own, so each channel has 16 bits of headroom.
inline std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint32_t iw = 256 - w;
  const std::uint32_t rb = ((a & 0xFF00FFu) * iw + (b & 0xFF00FFu) * w + 0x800080u) >> 8;
  const std::uint32_t g = ((a & 0x00FF00u) * iw + (b & 0x00FF00u) * w + 0x008000u) >> 8;
  return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// out[k] = Blend(a[k], b[k], w) for k < n. Each channel's sum stays below 2^16, so four pixels
// at a time in 16-bit lanes give exactly the same bytes.
inline void BlendRows(const std::uint32_t* a, const std::uint32_t* b, std::uint32_t w, std::uint32_t* out,
                      std::size_t n) {
  std::size_t k = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i wv = _mm_set1_epi16(static_cast<short>(w));
  const __m128i iwv = _mm_set1_epi16(static_cast<short>(256 - w));
  const __m128i half = _mm_set1_epi16(0x80);
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
  for (; k + 4 <= n; k += 4) {
    const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + k));
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + k));
    const auto mix = [&](__m128i x, __m128i y) {
      const __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(x, iwv), _mm_mullo_epi16(y, wv)), half);
      return _mm_srli_epi16(sum, 8);
    };
    const __m128i lo = mix(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero));
    const __m128i hi = mix(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_and_si128(_mm_packus_epi16(lo, hi), colours));
  }
#endif
  for (; k < n; ++k)
    out[k] = Blend(a[k], b[k], w);
}

}  // namespace vell
