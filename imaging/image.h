#pragma once

// A platform image loaded from encoded bytes (or handed over by another
// operation), and the base of Bitmap.

#include "codecs.h"
#include "imaging_object.h"
#include "memory_stream.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillory {

// Owns its platform image and, when loaded from bytes, the stream those bytes
// live in, which the platform reads for as long as the image lives.
// Operations pass ClassHandle and store their status in LastStatus.
class Image : public ImagingObject {
public:
    Image() = default;
    // Disposes of the image, then the stream goes.
    ~Image() override;

    void SetClassHandle(Handle handle) override;
    // Nothing here; Bitmap keeps its own copy of the handle.
    virtual void SetSubclassHandle(Handle handle);

    // Closes the load stream and releases the image; the object is empty
    // afterwards whatever the platform answered. False without any call on
    // an empty object (LastStatus untouched).
    virtual bool Dispose();

    // Decodes `data` (copied into the load stream first, so the caller may
    // drop it at once); `useIcm` selects colour management. The handle the
    // platform wrote, if any, is taken whatever the status. An image already
    // held is not released: Dispose first.
    virtual bool LoadFromBytes(const Bytes& data, bool useIcm = false);

    // Encodes the image with the encoder for `format` (GUID text; left out,
    // the image's own raw format) and returns the file's bytes. Empty when
    // the save failed, when no encoder writes that format, or when `set` is
    // inconsistent (refused with InvalidParameter before any call).
    virtual Bytes SaveToBytes(
        std::optional<std::string> format = std::nullopt, const EncoderParameterSet* set = nullptr);

    // Size in pixels; 0 on failure.
    virtual std::uint32_t GetWidth() const;
    virtual std::uint32_t GetHeight() const;

    // The image's file format as GUID text; the all-zero GUID's text on failure.
    virtual std::string GetRawFormat() const;

protected:
    // The encoded bytes the image was loaded from; closed otherwise.
    MemoryStream LoadStream;
};

} // namespace quillory
