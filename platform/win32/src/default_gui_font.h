#pragma once

#include "win32/win32_types.h"

#include <string_view>

namespace quillory::win32 {

// The logical font of the stock DEFAULT_GUI_FONT: the desktop's default user
// interface font, which on this platform is fontconfig's default sans-serif
// family at 9 points for a 96 DPI screen (a character height of 12 pixels).
// Asks fontconfig once per process.
LOGFONTA DefaultGuiFont();

// Copies `family` (UTF-8) into `faceName` with its NUL, cut at the last whole
// character that fits, so the copy is never a broken UTF-8 sequence.
void CopyFaceName(std::string_view family, char (&faceName)[LF_FACESIZE]);

} // namespace quillory::win32
