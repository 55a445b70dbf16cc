#include "imaging_object.h"

#include "gdiplus_binding.h"

#include <win32/win32.h>

#include <climits>
#include <cstring>

namespace quillory {

std::int32_t LastStatus = 0;

GpStatus StoreStatus(GpStatus status)
{
    LastStatus = status;
    return status;
}

bool RefuseArgument()
{
    StoreStatus(InvalidParameter);
    return false;
}

Handle ImagingObject::GetNativeHandle() const
{
    return NativeHandle;
}

void ImagingObject::SetNativeHandle(Handle handle)
{
    NativeHandle = handle;
    SetClassHandle(handle);
}

void ImagingObject::SetClassHandle(Handle handle)
{
    ClassHandle = handle;
}

void* ImagingObject::Alloc(std::size_t size)
{
    return Flat().GdipAlloc(size);
}

void ImagingObject::Free(void* pointer)
{
    Flat().GdipFree(pointer);
}

Bytes AnsiToWide(const char* text)
{
    // The first pass counts the units the text needs with its terminator; a
    // missing text fails here and gives the empty buffer.
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 0)
        return {};
    const std::size_t textBytes = std::strlen(text);
    if (textBytes > static_cast<std::size_t>(INT_MAX))
        return {};

    // The buffer starts zeroed and the second pass converts the text without
    // its terminator, so the last unit stays 0 and ends the string.
    Bytes wide(static_cast<std::size_t>(units) * sizeof(WCHAR), 0);
    if (textBytes > 0)
        MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(textBytes), reinterpret_cast<WCHAR*>(wide.data()), units);
    return wide;
}

Bytes AnsiToWide(const std::string& text)
{
    return AnsiToWide(text.c_str());
}

std::string WideToAnsi(const WCHAR* text)
{
    // The OEM code page, as the platform's own names come back in it; here it
    // is UTF-8 like the ANSI one.
    const int bytes = WideCharToMultiByte(CP_OEMCP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string converted(static_cast<std::size_t>(bytes), ' ');
    if (WideCharToMultiByte(CP_OEMCP, 0, text, -1, converted.data(), bytes, nullptr, nullptr) <= 0)
        return {};
    converted.resize(std::strlen(converted.c_str()));
    return converted;
}

std::string GuidToText(const Bytes& guid)
{
    if (guid.size() < sizeof(GUID)) {
        RefuseArgument();
        return {};
    }
    const GUID value = GuidFromBytes(guid);
    // Braces, 32 digits, four hyphens and the terminator.
    WCHAR text[39] = {};
    StringFromGUID2(&value, text, 39);
    return WideToAnsi(text);
}

Bytes TextToGuid(const std::string& text)
{
    // The result code is not looked at: text that is not a GUID leaves the
    // all-zero GUID the routine writes for it.
    const Bytes wide = AnsiToWide(text);
    CLSID value = {};
    CLSIDFromString(WideText(wide), &value);
    return GuidBytes(value);
}

Bytes GuidBytes(const GUID& guid)
{
    Bytes bytes(sizeof(GUID));
    std::memcpy(bytes.data(), &guid, sizeof(GUID));
    return bytes;
}

GUID GuidFromBytes(const Bytes& bytes)
{
    GUID guid = {};
    if (bytes.size() >= sizeof(GUID))
        std::memcpy(&guid, bytes.data(), sizeof(GUID));
    return guid;
}

int WideLength(const Bytes& wide)
{
    const std::size_t units = wide.size() / sizeof(WCHAR);
    std::size_t length = 0;
    while (length < units && (wide[2 * length] != 0 || wide[2 * length + 1] != 0))
        ++length;
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

const WCHAR* WideText(const Bytes& wide)
{
    return wide.empty() ? nullptr : reinterpret_cast<const WCHAR*>(wide.data());
}

} // namespace quillory
