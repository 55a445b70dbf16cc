#pragma once

#include "initial_design.h"
#include "renderer.h"

#include <string>
#include <variant>
#include <vector>

namespace quillory {

// What one run of quillory-render is asked to do.
struct RenderRequest {
    int width = 0;
    int height = 0;
    std::string leftText;
    std::string rightText;
    std::string leftFont = kInitialFaceName;
    std::string rightFont = kInitialFaceName;
    ColorRef leftColor = kInitialTextColour;
    ColorRef rightColor = kInitialTextColour;
    ColorRef leftBackground = kInitialLeftBackground;
    ColorRef rightBackground = kInitialRightBackground;
    std::string output; // "-" is standard output
};

struct HelpRequested { };

struct UsageError {
    std::string message;
};

using ParsedCommandLine = std::variant<RenderRequest, HelpRequested, UsageError>;

// Reads the arguments after the program name.
ParsedCommandLine ParseRenderCommandLine(const std::vector<std::string>& arguments);

// Reads "RRGGBB" or "#RRGGBB" (hexadecimal red, green, blue) into a Windows
// colour value; false for anything else.
bool ParseHexColor(const std::string& text, ColorRef& color);

extern const char* const RenderUsage;

// Runs the whole program; returns its exit status (0 done, 1 no picture or
// not written, 2 usage error).
int RunRenderCommand(const std::vector<std::string>& arguments);

} // namespace quillory
