// Every routine of the list exists in the engine. Those that are not real yet
// answer NotImplemented; a real definition elsewhere in the engine replaces
// the weak one below at link time.

#include <gdiplus/flat_api.h>

#include <type_traits>

namespace {

template <typename Result> Result notImplemented()
{
    if constexpr (std::is_same_v<Result, GpStatus>)
        return NotImplemented;
    else if constexpr (!std::is_void_v<Result>)
        return Result{};
}

} // namespace

#pragma GCC diagnostic ignored "-Wunused-parameter"

#define QUILLORY_ROUTINE(name, result, parameters)                                                                     \
    extern "C" __attribute__((weak)) result name parameters                                                            \
    {                                                                                                                  \
        return notImplemented<result>();                                                                               \
    }
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
