#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace engine {

// The largest pixel or byte block the engine allocates for one object: the
// interface's sizes are 32-bit signed, so anything larger could not be
// addressed by a caller's stride or length.
inline constexpr std::uint64_t MaximumBlockBytes = std::numeric_limits<std::int32_t>::max();

// Overflow-checked size arithmetic: every size computed from caller input goes
// through these, so a huge width can never wrap into a small allocation.
inline std::optional<std::uint64_t> checkedMultiply(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return std::nullopt;
    return product;
}

inline std::optional<std::uint64_t> checkedAdd(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return std::nullopt;
    return sum;
}

// Bytes in one row of `width` pixels of `bitsPerPixel`, padded to 4 bytes as
// every bitmap row of the interface is.
inline std::optional<std::uint64_t> paddedStride(std::uint64_t width, std::uint64_t bitsPerPixel)
{
    auto bits = checkedMultiply(width, bitsPerPixel);
    if (!bits)
        return std::nullopt;
    auto rounded = checkedAdd(*bits, 31);
    if (!rounded)
        return std::nullopt;
    return *rounded / 32 * 4;
}

} // namespace engine
