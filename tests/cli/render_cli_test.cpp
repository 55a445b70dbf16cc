// quillory-render: its command line, and the program run as a user runs it.

#include "render_cli.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillory {
namespace {

namespace fs = std::filesystem;

TEST(ParseHexColor, ReadsRedGreenBlueIntoAWindowsColour)
{
    struct Case {
        const char* text;
        bool valid;
        ColorRef expected;
    };
    const Case cases[] = {
        {"FF7D7D", true, 0x7D7DFF},
        {"#B7FF9B", true, 0x9BFFB7},
        {"000000", true, 0x000000},
        {"abcdef", true, 0xEFCDAB},
        {"", false, 0},
        {"#", false, 0},
        {"FF7D7", false, 0},
        {"FF7D7D0", false, 0},
        {"GG0000", false, 0},
        {"##FF7D7D", false, 0},
        {"+F7D7D", false, 0},
        {"FF 7D7", false, 0},
    };
    for (const auto& row : cases) {
        ColorRef color = 0x12345678;
        EXPECT_EQ(ParseHexColor(row.text, color), row.valid) << row.text;
        if (row.valid) {
            EXPECT_EQ(color, row.expected) << row.text;
        }
    }
}

TEST(ParseRenderCommandLine, TakesEveryOptionAndKeepsTheWindowDefaults)
{
    auto parsed = ParseRenderCommandLine({"--width", "1080", "--height=1920", "--left-text", "早", "-o", "out.bmp"});
    ASSERT_TRUE(std::holds_alternative<RenderRequest>(parsed));
    const auto& request = std::get<RenderRequest>(parsed);
    EXPECT_EQ(request.width, 1080);
    EXPECT_EQ(request.height, 1920);
    EXPECT_EQ(request.leftText, "早");
    EXPECT_EQ(request.rightText, "");
    EXPECT_EQ(request.leftFont, "华康娃娃体W5");
    EXPECT_EQ(request.rightFont, "华康娃娃体W5");
    EXPECT_EQ(request.leftColor, 0u);
    EXPECT_EQ(request.leftBackground, 0x7D7DFFu);
    EXPECT_EQ(request.rightBackground, 0x9BFFB7u);
    EXPECT_EQ(request.output, "out.bmp");

    auto colours = std::get<RenderRequest>(ParseRenderCommandLine({"--width", "2", "--height", "3", "--right-color",
        "#FF0000", "--left-background", "0000ff", "--right-font", "DejaVu Sans", "--output", "-"}));
    EXPECT_EQ(colours.rightColor, 0x0000FFu);
    EXPECT_EQ(colours.leftBackground, 0xFF0000u);
    EXPECT_EQ(colours.rightFont, "DejaVu Sans");
    EXPECT_EQ(colours.output, "-");
}

TEST(ParseRenderCommandLine, NamesTheBadOptionOrValue)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--height", "10", "-o", "x"}, "--width"},
        {{"--width", "10", "-o", "x"}, "--height"},
        {{"--width", "ten", "--height", "10", "-o", "x"}, "'ten'"},
        {{"--width", "10px", "--height", "10", "-o", "x"}, "'10px'"},
        {{"--width", "0", "--height", "10", "-o", "x"}, "--width"},
        {{"--width", "10", "--height", "-3", "-o", "x"}, "--height"},
        {{"--width", "10", "--height", "10"}, "-o"},
        {{"--width", "10", "--height", "10", "-o", "x", "--left-color", "red"}, "--left-color"},
        {{"--width", "10", "--height", "10", "-o", "x", "--right-background", "#12345"}, "'#12345'"},
        {{"--width", "10", "--height", "10", "-o", "x", "--shadow"}, "--shadow"},
        {{"--width", "10", "--height", "10", "-o"}, "-o"},
    };
    for (const auto& row : cases) {
        auto parsed = ParseRenderCommandLine(row.arguments);
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << row.mentions;
        EXPECT_NE(std::get<UsageError>(parsed).message.find(row.mentions), std::string::npos)
            << std::get<UsageError>(parsed).message;
    }
    EXPECT_TRUE(std::holds_alternative<HelpRequested>(ParseRenderCommandLine({"--width", "x", "--help"})));
}

// Runs a program with its standard output and error captured.
struct ProgramRun {
    int status = -1;
    std::string output;
    std::string errors;
};

ProgramRun RunProgram(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& scratch)
{
    std::string command = "'" + program.string() + "'";
    for (const auto& argument : arguments)
        command += " '" + argument + "'";
    command += " >'" + (scratch / "stdout").string() + "' 2>'" + (scratch / "stderr").string() + "'";
    ProgramRun run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    auto slurp = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    run.output = slurp(scratch / "stdout");
    run.errors = slurp(scratch / "stderr");
    return run;
}

class QuilloryRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch_ = fs::temp_directory_path() / ("quillory-render-test-" + std::to_string(::getpid()));
        fs::create_directories(scratch_);
        program_ = fs::read_symlink("/proc/self/exe").parent_path() / "quillory-render";
    }
    void TearDown() override { fs::remove_all(scratch_); }

    ProgramRun Render(const std::vector<std::string>& arguments) { return RunProgram(program_, arguments, scratch_); }

    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path scratch_;
    fs::path program_;
};

TEST_F(QuilloryRender, WritesTheBmpFileAndStandardOutputAlike)
{
    auto file = scratch_ / "picture.bmp";
    ProgramRun written = Render(
        {"--width", "23", "--height", "17", "--left-text", "Hi", "--left-font", "DejaVu Sans", "-o", file.string()});
    ASSERT_EQ(written.status, 0) << written.errors;
    std::string bytes = Read(file);
    ASSERT_EQ(bytes.size(), 54u + 23 * 17 * 4);
    EXPECT_EQ(bytes.substr(0, 2), "BM");

    ProgramRun piped =
        Render({"--width", "23", "--height", "17", "--left-text", "Hi", "--left-font", "DejaVu Sans", "-o", "-"});
    ASSERT_EQ(piped.status, 0) << piped.errors;
    EXPECT_EQ(piped.output, bytes);
    EXPECT_TRUE(fs::is_empty(scratch_ / "stderr"));
}

TEST_F(QuilloryRender, ReplacesAnExistingFileCompletely)
{
    auto file = scratch_ / "picture.bmp";
    {
        std::ofstream(file) << std::string(100000, 'x');
    }
    ASSERT_EQ(Render({"--width", "4", "--height", "4", "-o", file.string()}).status, 0);
    EXPECT_EQ(fs::file_size(file), 54u + 4 * 4 * 4);
}

TEST_F(QuilloryRender, UsageErrorsExitTwoAndWriteNothing)
{
    auto file = scratch_ / "picture.bmp";
    ProgramRun run = Render({"--width", "12", "--height", "abc", "-o", file.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("--height"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(file));

    EXPECT_EQ(Render({"--colour", "red"}).status, 2);
}

TEST_F(QuilloryRender, HelpExplainsEveryOption)
{
    ProgramRun run = Render({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--width", "--height", "--left-text", "--right-text", "--left-font", "--right-font",
             "--left-color", "--right-color", "--left-background", "--right-background", "-o"})
        EXPECT_NE(run.output.find(option), std::string::npos) << option;
}

TEST_F(QuilloryRender, UnwritableTargetExitsOneAndLeavesNoFile)
{
    ProgramRun run = Render({"--width", "4", "--height", "4", "-o", (scratch_ / "missing" / "picture.bmp").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("missing"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(scratch_ / "missing"));
}

TEST_F(QuilloryRender, NoPictureExitsOneAndLeavesAnExistingFileUntouched)
{
    // Beyond what a bitmap can hold: the engine refuses it, so nothing renders.
    auto file = scratch_ / "picture.bmp";
    {
        std::ofstream(file) << "precious";
    }
    ProgramRun run = Render({"--width", "100000", "--height", "100000", "-o", file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("no picture"), std::string::npos) << run.errors;
    EXPECT_EQ(Read(file), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch_), fs::directory_iterator()), 3)
        << "only the file and the captured output";
}

TEST_F(QuilloryRender, MissingEngineIsFatalBeforeAnythingRuns)
{
    // The program alone, beside the Windows stand-ins but without its engine.
    auto folder = scratch_ / "alone";
    fs::create_directories(folder);
    auto bin = program_.parent_path();
    fs::copy_file(program_, folder / "quillory-render");
    fs::copy_file(bin / "libquillory-win32.so", folder / "libquillory-win32.so");
    auto file = scratch_ / "picture.bmp";
    ProgramRun run =
        RunProgram(folder / "quillory-render", {"--width", "4", "--height", "4", "-o", file.string()}, scratch_);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("libquillory-engine.so"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("GdiplusStartup"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(file));
}

} // namespace
} // namespace quillory
