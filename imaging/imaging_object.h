#pragma once

// The base of every imaging class, the process-wide status, and the routines
// that carry text and GUIDs across the platform boundary.

#include <gdiplus/flat_types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillory {

// A counted byte buffer: encoded pictures, UTF-16 text for the platform,
// GUIDs as 16 bytes. Empty means no data.
using Bytes = std::vector<std::uint8_t>;

// An opaque platform object (image, graphics, brush, font, ...); null means none.
using Handle = void*;

// The platform's records, with its layouts.
using Point = GpPoint;
using PointF = GpPointF;
using Rect = GpRect;
using RectF = GpRectF;
using SizeF = GpSizeF;

// The status of the last platform call any imaging object made, or 2
// (InvalidParameter) when the library refused an argument itself. 0 at start;
// nothing resets it.
extern std::int32_t LastStatus;

// Every status the library records goes through here, so no operation can
// forget it. Returns `status`.
GpStatus StoreStatus(GpStatus status);

// Records the library's own refusal of an argument (InvalidParameter), made
// before any platform call. Returns false for the caller to return.
bool RefuseArgument();

// A platform handle owned by an imaging object. Derived classes keep further
// copies of the same handle; SetNativeHandle keeps every copy equal.
// Not copyable: two objects would release one handle.
class ImagingObject {
public:
    ImagingObject() = default;
    virtual ~ImagingObject() = default;
    ImagingObject(const ImagingObject&) = delete;
    ImagingObject& operator=(const ImagingObject&) = delete;

    // The handle this object owns; other objects pass it when this object is
    // their argument.
    virtual Handle GetNativeHandle() const;

    // Takes `handle` into every handle copy. The handle held before is not
    // released: callers dispose of it first.
    virtual void SetNativeHandle(Handle handle);

    // Stores the handle as the class's own operations pass it.
    virtual void SetClassHandle(Handle handle);

    // Platform memory, released with Free. Neither touches LastStatus.
    virtual void* Alloc(std::size_t size);
    virtual void Free(void* pointer);

protected:
    Handle NativeHandle = nullptr;
    Handle ClassHandle = nullptr;
};

// UTF-16LE of `text` (UTF-8) with one zero unit after it; two zero bytes for
// an empty text. Text after an embedded NUL is not converted. A missing text
// (null) gives empty Bytes, which reach the platform as a null string.
Bytes AnsiToWide(const char* text);
Bytes AnsiToWide(const std::string& text);

// The UTF-8 text of a NUL-terminated UTF-16 string; empty for null.
std::string WideToAnsi(const WCHAR* text);

// The registry form of a GUID, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in
// upper case. Refuses (InvalidParameter, empty text) Bytes shorter than 16.
std::string GuidToText(const Bytes& guid);

// The 16 bytes of a GUID in registry form; 16 zero bytes for empty text or
// text that is not a GUID.
Bytes TextToGuid(const std::string& text);

// The platform's GUID record as 16 bytes, and back; fewer than 16 bytes give
// the all-zero GUID.
Bytes GuidBytes(const GUID& guid);
GUID GuidFromBytes(const Bytes& bytes);

// Units of UTF-16 text in `wide` before its first NUL unit, never counting
// past the end of the buffer; 0 for empty Bytes.
int WideLength(const Bytes& wide);

// The address of UTF-16 text held in Bytes, null when they hold nothing.
const WCHAR* WideText(const Bytes& wide);

} // namespace quillory
