#include "render_cli.h"

#include "atomic_file.h"
#include "imaging_startup.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <functional>
#include <map>

namespace quillory {

const char* const RenderUsage = "Usage: quillory-render --width N --height N [options] -o FILE\n"
                                "\n"
                                "Renders a two-column chat background at N x N pixels and writes it as a BMP file,\n"
                                "exactly as the Quillory window exports it.\n"
                                "\n"
                                "  --width N               picture width in pixels (required, at least 1)\n"
                                "  --height N              picture height in pixels (required, at least 1)\n"
                                "  --left-text T           text of the left column (default: none)\n"
                                "  --right-text T          text of the right column (default: none)\n"
                                "  --left-font NAME        font family of the left text (default: 华康娃娃体W5)\n"
                                "  --right-font NAME       font family of the right text (default: 华康娃娃体W5)\n"
                                "  --left-color RRGGBB     left text colour (default: 000000)\n"
                                "  --right-color RRGGBB    right text colour (default: 000000)\n"
                                "  --left-background RRGGBB   left background colour (default: FF7D7D)\n"
                                "  --right-background RRGGBB  right background colour (default: B7FF9B)\n"
                                "  -o FILE, --output FILE  where to write the BMP file; - writes to standard output\n"
                                "  --help                  show this text\n"
                                "\n"
                                "Colours are hexadecimal red, green, blue, with an optional leading #.\n"
                                "A font that is not installed leaves its column without text.\n"
                                "The file is replaced in one step: a failed run leaves an existing file untouched.\n"
                                "\n"
                                "Exit status: 0 written; 1 no picture could be rendered or the file could not be\n"
                                "written; 2 the command line is wrong.\n";

bool ParseHexColor(const std::string& text, ColorRef& color)
{
    std::string_view digits(text);
    if (!digits.empty() && digits.front() == '#')
        digits.remove_prefix(1);
    if (digits.size() != 6)
        return false;
    std::uint32_t rgb = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), rgb, 16);
    if (error != std::errc() || end != digits.data() + digits.size())
        return false;
    std::uint32_t red = (rgb >> 16) & 0xFF;
    std::uint32_t green = (rgb >> 8) & 0xFF;
    std::uint32_t blue = rgb & 0xFF;
    color = red | (green << 8) | (blue << 16);
    return true;
}

namespace {

bool ParseSize(const std::string& text, int& size)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

ParsedCommandLine ParseRenderCommandLine(const std::vector<std::string>& arguments)
{
    RenderRequest request;
    bool haveWidth = false;
    bool haveHeight = false;
    bool haveOutput = false;

    using Reader = std::function<std::string(const std::string& option, const std::string& value)>;
    auto color = [](ColorRef& target) -> Reader {
        return [&target](const std::string& option, const std::string& value) -> std::string {
            if (!ParseHexColor(value, target))
                return "invalid colour for " + option + ": '" + value + "' (expected RRGGBB, e.g. FF7D7D)";
            return {};
        };
    };
    auto text = [](std::string& target) -> Reader {
        return [&target](const std::string&, const std::string& value) -> std::string {
            target = value;
            return {};
        };
    };
    auto size = [](int& target, bool& seen) -> Reader {
        return [&target, &seen](const std::string& option, const std::string& value) -> std::string {
            if (!ParseSize(value, target))
                return "invalid number for " + option + ": '" + value + "'";
            seen = true;
            return {};
        };
    };
    const std::map<std::string, Reader> readers = {
        {"--width", size(request.width, haveWidth)},
        {"--height", size(request.height, haveHeight)},
        {"--left-text", text(request.leftText)},
        {"--right-text", text(request.rightText)},
        {"--left-font", text(request.leftFont)},
        {"--right-font", text(request.rightFont)},
        {"--left-color", color(request.leftColor)},
        {"--right-color", color(request.rightColor)},
        {"--left-background", color(request.leftBackground)},
        {"--right-background", color(request.rightBackground)},
        {"-o",
            [&](const std::string&, const std::string& value) {
                request.output = value;
                haveOutput = true;
                return std::string();
            }},
    };

    // Asking for help wins over anything else on the line.
    for (const auto& argument : arguments)
        if (argument == "--help" || argument == "-h")
            return HelpRequested{};

    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string option = arguments[index];
        std::optional<std::string> inlineValue;
        if (auto equals = option.find('='); option.starts_with("--") && equals != std::string::npos) {
            inlineValue = option.substr(equals + 1);
            option.erase(equals);
        }
        if (option == "--output")
            option = "-o";
        auto reader = readers.find(option);
        if (reader == readers.end())
            return UsageError{"unknown option: " + arguments[index]};
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else {
            if (index + 1 >= arguments.size())
                return UsageError{"missing value for " + option};
            value = arguments[++index];
        }
        if (std::string failure = reader->second(option, value); !failure.empty())
            return UsageError{failure};
    }

    if (!haveWidth)
        return UsageError{"missing --width"};
    if (!haveHeight)
        return UsageError{"missing --height"};
    if (request.width < 1)
        return UsageError{"--width must be at least 1, not " + std::to_string(request.width)};
    if (request.height < 1)
        return UsageError{"--height must be at least 1, not " + std::to_string(request.height)};
    if (!haveOutput || request.output.empty())
        return UsageError{"missing -o FILE (use - for standard output)"};
    return request;
}

int RunRenderCommand(const std::vector<std::string>& arguments)
{
    ParsedCommandLine parsed = ParseRenderCommandLine(arguments);
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::fputs(RenderUsage, stdout);
        return 0;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        std::fprintf(stderr, "quillory-render: %s\nTry 'quillory-render --help'.\n", usage->message.c_str());
        return 2;
    }
    const auto& request = std::get<RenderRequest>(parsed);

    StartImaging();
    Bytes picture =
        RenderBackground(request.width, request.height, request.leftFont, request.rightFont, request.leftText,
            request.rightText, request.leftColor, request.rightColor, request.leftBackground, request.rightBackground);
    StopImaging();
    if (picture.empty()) {
        std::fprintf(
            stderr, "quillory-render: no picture could be rendered at %d x %d\n", request.width, request.height);
        return 1;
    }

    if (request.output == "-") {
        if (!WriteAllBytes(STDOUT_FILENO, picture)) {
            std::fprintf(stderr, "quillory-render: cannot write to standard output\n");
            return 1;
        }
        return 0;
    }
    if (std::string failure = WriteFileAtomically(request.output, picture); !failure.empty()) {
        std::fprintf(stderr, "quillory-render: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}

} // namespace quillory
