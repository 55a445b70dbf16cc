#pragma once

#include <gdiplus/flat_types.h>

#include <string>

namespace engine {

// The system path of a file named in NUL-terminated UTF-16. InvalidParameter
// for a null name or one that is not valid UTF-16 (no path could match it).
GpStatus pathFromWide(const WCHAR* name, std::string& path);

} // namespace engine
