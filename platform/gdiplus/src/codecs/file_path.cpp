#include "codecs/file_path.h"

#include <win32/win32.h>

namespace engine {

GpStatus pathFromWide(const WCHAR* name, std::string& path)
{
    if (!name)
        return InvalidParameter;
    const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return InvalidParameter;
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name, -1, converted.data(), bytes, nullptr, nullptr) !=
        bytes)
        return InvalidParameter;
    converted.pop_back(); // the NUL the conversion included
    path = std::move(converted);
    return Ok;
}

} // namespace engine
