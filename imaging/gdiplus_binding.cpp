#include "gdiplus_binding.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace quillory {
namespace {

// The one table of the process: every routine the library calls goes through it.
FlatRoutines BoundRoutines;
bool Bound = false;

std::filesystem::path ExecutableFolder()
{
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

void* OpenEngine(const char* libraryName, std::string& failure)
{
    // A name with a slash is taken as given; a bare name is tried beside the
    // executable before the loader's own search.
    if (std::string_view(libraryName).find('/') == std::string_view::npos) {
        auto beside = ExecutableFolder() / libraryName;
        if (void* handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL))
            return handle;
    }
    if (void* handle = dlopen(libraryName, RTLD_NOW | RTLD_LOCAL))
        return handle;
    const char* reason = dlerror();
    failure = reason ? reason : "not found";
    return nullptr;
}

[[noreturn]] void Fatal(const char* libraryName, const char* routine, const std::string& reason)
{
    std::fprintf(stderr, "quillory: fatal: cannot bind %s from the imaging engine %s: %s\n", routine, libraryName,
        reason.c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

const FlatRoutines& Flat()
{
    return BoundRoutines;
}

bool RoutinesBound()
{
    return Bound;
}

void BindEngine(const char* libraryName)
{
    std::string failure;
    // The handle stays open for the life of the process: the table points into it.
    void* library = OpenEngine(libraryName, failure);
    if (!library)
        Fatal(libraryName, "GdiplusStartup", failure);

    FlatRoutines routines;
#define QUILLORY_ROUTINE(name, result, parameters)                                                                     \
    routines.name = reinterpret_cast<result(*) parameters>(dlsym(library, #name));                                     \
    if (!routines.name)                                                                                                \
        Fatal(libraryName, #name, "the library does not export it");
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
    InstallRoutines(routines);
}

void InstallRoutines(const FlatRoutines& routines)
{
    BoundRoutines = routines;
    Bound = true;
}

void ClearRoutines()
{
    BoundRoutines = FlatRoutines();
    Bound = false;
}

} // namespace quillory
