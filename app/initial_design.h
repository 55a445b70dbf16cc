#pragma once

#include "renderer.h"

namespace quillory {

// The design the main window opens with; quillory-render draws the same one
// for every choice its command line leaves out.
inline constexpr const char* kInitialFaceName = "华康娃娃体W5";
inline constexpr ColorRef kInitialTextColour = 0x000000;
inline constexpr ColorRef kInitialLeftBackground = 0x7D7DFF;
inline constexpr ColorRef kInitialRightBackground = 0x9BFFB7;

} // namespace quillory
