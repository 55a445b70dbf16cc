#pragma once

// Streams over global memory for the codec tests, through the Windows
// stand-ins as the class library makes them.

#include "pixel_expectations.h"

#include <gdiplus/flat_api.h>
#include <win32/win32.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace raster_test {

// A stream over its own block, released at the end of a test.
class MemoryStream {
public:
    explicit MemoryStream(const std::vector<std::uint8_t>& bytes = {})
    {
        HGLOBAL block = GlobalAlloc(GHND, bytes.size());
        if (!bytes.empty()) {
            void* address = GlobalLock(block);
            std::memcpy(address, bytes.data(), bytes.size());
            GlobalUnlock(block);
        }
        EXPECT_EQ(CreateStreamOnHGlobal(block, 1, &stream_), S_OK);
    }
    ~MemoryStream()
    {
        if (stream_)
            stream_->lpVtbl->Release(stream_);
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    IStream* get() const { return stream_; }

    // Every byte of the block, whatever the position.
    std::vector<std::uint8_t> contents() const
    {
        HGLOBAL block = nullptr;
        EXPECT_EQ(GetHGlobalFromStream(stream_, &block), S_OK);
        const SIZE_T size = GlobalSize(block);
        std::vector<std::uint8_t> bytes(size);
        if (size > 0) {
            const void* address = GlobalLock(block);
            std::memcpy(bytes.data(), address, size);
            GlobalUnlock(block);
        }
        return bytes;
    }

    std::uint64_t position() const
    {
        ULARGE_INTEGER at{};
        EXPECT_EQ(stream_->lpVtbl->Seek(stream_, LARGE_INTEGER{0}, STREAM_SEEK_CUR, &at), S_OK);
        return at.QuadPart;
    }

    void seek(std::int64_t to)
    {
        EXPECT_EQ(stream_->lpVtbl->Seek(stream_, LARGE_INTEGER{to}, STREAM_SEEK_SET, nullptr), S_OK);
    }

private:
    IStream* stream_ = nullptr;
};

inline const CLSID bmpEncoder{0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline const CLSID jpegEncoder{0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline const CLSID pngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Decodes `file` through a stream; the status, and the bitmap in `bitmap`
// on success.
inline GpStatus decode(const std::vector<std::uint8_t>& file, OwnedBitmap& bitmap)
{
    MemoryStream stream(file);
    return GdipLoadImageFromStream(stream.get(), bitmap.out());
}

// Loads `file` through a stream and expects the load to answer `expected`
// and leave the caller's image pointer null.
inline void expectLoadRefused(const std::vector<std::uint8_t>& file, GpStatus expected)
{
    MemoryStream stream(file);
    GpImage* image = nullptr;
    EXPECT_EQ(GdipLoadImageFromStream(stream.get(), &image), expected);
    EXPECT_EQ(image, nullptr);
}

} // namespace raster_test
