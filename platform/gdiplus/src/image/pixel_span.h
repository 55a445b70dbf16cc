#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine {

// Stores `count` copies of a 32-bit pixel from `pixels` on. The compiler
// leaves a plain loop of 32-bit stores scalar at this optimisation level,
// several times slower than memory allows, and whole-image fills are most of
// a render.
inline void storePixelSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t value)
{
#if defined(__SSE2__)
    const __m128i pattern = _mm_set1_epi32(static_cast<int>(value));
    std::size_t index = 0;
    for (; index + 4 <= count; index += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + index), pattern);
    for (; index < count; ++index)
        pixels[index] = value;
#else
    std::fill_n(pixels, count, value);
#endif
}

} // namespace engine
