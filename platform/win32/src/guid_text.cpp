// GUIDs in their registry text form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}":
// Data1, Data2 and Data3 as numbers, then the eight bytes of Data4 in order.
#include "win32/win32.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// The text's 32 hex digits come in groups of 8, 4, 4, 4 and 12. Read in order
// they are the GUID's fields with each number most significant byte first,
// whatever the byte order the struct keeps them in.
constexpr int GroupDigits[] = {8, 4, 4, 4, 12};
constexpr std::size_t TextUnits = 38; // without the terminating NUL

int hexValue(WCHAR unit)
{
    if (unit >= '0' && unit <= '9') {
        return unit - '0';
    }
    if (unit >= 'A' && unit <= 'F') {
        return unit - 'A' + 10;
    }
    if (unit >= 'a' && unit <= 'f') {
        return unit - 'a' + 10;
    }
    return -1;
}

// The GUID as the 32 hex digits of its text, most significant first.
std::array<std::uint8_t, 16> textOrderBytes(const GUID& guid)
{
    std::array<std::uint8_t, 16> bytes{};
    bytes[0] = static_cast<std::uint8_t>(guid.Data1 >> 24);
    bytes[1] = static_cast<std::uint8_t>(guid.Data1 >> 16);
    bytes[2] = static_cast<std::uint8_t>(guid.Data1 >> 8);
    bytes[3] = static_cast<std::uint8_t>(guid.Data1);
    bytes[4] = static_cast<std::uint8_t>(guid.Data2 >> 8);
    bytes[5] = static_cast<std::uint8_t>(guid.Data2);
    bytes[6] = static_cast<std::uint8_t>(guid.Data3 >> 8);
    bytes[7] = static_cast<std::uint8_t>(guid.Data3);
    for (int index = 0; index < 8; ++index) {
        bytes[8 + index] = guid.Data4[index];
    }
    return bytes;
}

GUID guidFromTextOrder(const std::array<std::uint8_t, 16>& bytes)
{
    GUID guid{};
    guid.Data1 =
        (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
    guid.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    guid.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int index = 0; index < 8; ++index) {
        guid.Data4[index] = bytes[8 + index];
    }
    return guid;
}

// Reads the braced form. Stops at the first unit that does not fit, so a
// shorter string is rejected at its NUL and nothing past it is read.
bool parse(const WCHAR* text, GUID& guid)
{
    std::array<std::uint8_t, 16> bytes{};
    std::size_t position = 0;
    if (text[position++] != '{') {
        return false;
    }
    int digit = 0;
    for (std::size_t group = 0; group < std::size(GroupDigits); ++group) {
        if (group > 0 && text[position++] != '-') {
            return false;
        }
        for (int count = 0; count < GroupDigits[group]; ++count, ++digit) {
            const int value = hexValue(text[position++]);
            if (value < 0) {
                return false;
            }
            bytes[digit / 2] = static_cast<std::uint8_t>(bytes[digit / 2] | (digit % 2 == 0 ? value << 4 : value));
        }
    }
    if (text[position++] != '}' || text[position] != 0) {
        return false;
    }
    guid = guidFromTextOrder(bytes);
    return true;
}

} // namespace

extern "C" int StringFromGUID2(const GUID* guid, WCHAR* text, int units)
{
    if (guid == nullptr || text == nullptr || units < static_cast<int>(TextUnits + 1)) {
        return 0;
    }
    constexpr char Digits[] = "0123456789ABCDEF";
    const std::array<std::uint8_t, 16> bytes = textOrderBytes(*guid);
    std::size_t position = 0;
    text[position++] = '{';
    int digit = 0;
    for (std::size_t group = 0; group < std::size(GroupDigits); ++group) {
        if (group > 0) {
            text[position++] = '-';
        }
        for (int count = 0; count < GroupDigits[group]; ++count, ++digit) {
            const std::uint8_t byte = bytes[digit / 2];
            text[position++] = static_cast<WCHAR>(Digits[digit % 2 == 0 ? byte >> 4 : byte & 0x0F]);
        }
    }
    text[position++] = '}';
    text[position++] = 0;
    return static_cast<int>(position);
}

extern "C" HRESULT CLSIDFromString(const WCHAR* text, CLSID* clsid)
{
    if (clsid == nullptr) {
        return E_INVALIDARG;
    }
    *clsid = CLSID{};
    // Windows documents an empty or missing string as naming CLSID_NULL.
    if (text == nullptr || text[0] == 0) {
        return S_OK;
    }
    GUID parsed{};
    if (!parse(text, parsed)) {
        return CO_E_CLASSSTRING;
    }
    *clsid = parsed;
    return S_OK;
}
