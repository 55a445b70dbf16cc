#pragma once

#include "renderer.h"

#include <string>
#include <variant>
#include <vector>

namespace quillory {

// What one run of quillory-render is asked to do.
struct RenderRequest {
    int width = 0;
    int height = 0;
    // The main window's initial values.
    std::string leftText;
    std::string rightText;
    std::string leftFont = "华康娃娃体W5";
    std::string rightFont = "华康娃娃体W5";
    ColorRef leftColor = 0x000000;
    ColorRef rightColor = 0x000000;
    ColorRef leftBackground = 0x7D7DFF;
    ColorRef rightBackground = 0x9BFFB7;
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
