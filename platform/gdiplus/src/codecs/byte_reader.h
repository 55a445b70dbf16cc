#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace engine {

// Little-endian fields of a file held in memory. Every read is checked
// against the file's end: a field that does not fit reads as nothing.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) { }

    std::optional<std::uint16_t> u16(std::size_t offset) const
    {
        if (!fits(offset, 2))
            return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
    }

    std::optional<std::uint32_t> u32(std::size_t offset) const
    {
        if (!fits(offset, 4))
            return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[offset]) | static_cast<std::uint32_t>(bytes_[offset + 1]) << 8 |
            static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
    }

    std::optional<std::int32_t> i32(std::size_t offset) const
    {
        const auto value = u32(offset);
        if (!value)
            return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }

    // Whether `length` bytes from `offset` lie inside the file.
    bool fits(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    const std::uint8_t* at(std::size_t offset) const { return bytes_.data() + offset; }

private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace engine
