#include "gdiplus_binding.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace quillory {
namespace {

std::filesystem::path TestFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::set<std::string> ListedRoutines()
{
    return {
#define QUILLORY_ROUTINE(name, result, parameters) #name,
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
    };
}

TEST(EngineLibrary, ExportsEveryListedRoutine)
{
    auto path = TestFolder() / EngineLibraryName;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const auto& name : ListedRoutines())
        EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name << " is not exported";
    dlclose(library);
}

TEST(EngineLibrary, ExportsNothingButListedRoutines)
{
    auto command = "nm -D --defined-only --format=posix '" + (TestFolder() / EngineLibraryName).string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    auto listed = ListedRoutines();
    std::set<std::string> exported;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::string entry(line);
        std::string name = entry.substr(0, entry.find(' '));
        char type = entry.size() > name.size() + 1 ? entry[name.size() + 1] : '?';
        if (type == 'T' || type == 'W' || type == 'D' || type == 'B')
            exported.insert(name);
    }
    ASSERT_EQ(pclose(pipe), 0);
    for (const auto& name : exported) {
        // The C++ runtime's own weak symbols can be visible; ours are not.
        if (name.starts_with("_Z"))
            continue;
        EXPECT_TRUE(listed.contains(name)) << name << " leaves the engine but is not a listed routine";
    }
    EXPECT_GE(exported.size(), listed.size());
}

TEST(BindEngineDeathTest, MissingLibraryIsFatalAndNamesLibraryAndRoutine)
{
    EXPECT_EXIT(BindEngine("libquillory-absent.so"), ::testing::ExitedWithCode(1),
        "cannot bind GdiplusStartup from the imaging engine libquillory-absent\\.so");
}

TEST(BindEngineDeathTest, LibraryWithoutTheRoutinesIsFatalAndNamesTheRoutine)
{
    // The Windows stand-ins library loads fine but exports no flat routine.
    auto other = (TestFolder() / "libquillory-win32.so").string();
    EXPECT_EXIT(BindEngine(other.c_str()), ::testing::ExitedWithCode(1),
        "cannot bind GdiplusStartup from the imaging engine .*libquillory-win32\\.so");
}

TEST(BindEngine, BindsEveryRoutineOfTheRealEngine)
{
    BindEngine();
    ASSERT_TRUE(RoutinesBound());
    EXPECT_NE(Flat().GdiplusStartup, nullptr);
    EXPECT_NE(Flat().GdipDrawString, nullptr);
    ClearRoutines();
}

} // namespace
} // namespace quillory
