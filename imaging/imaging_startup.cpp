#include "imaging_startup.h"

#include "gdiplus_binding.h"

#include <cstdlib>
#include <cstring>

namespace quillory {

std::uint32_t StartupToken = 0;

std::uint32_t StartImaging(std::optional<int> version)
{
    if (!RoutinesBound())
        BindEngine();

    // The input record is built zero-filled on the heap and freed right after
    // the call, as the platform only reads it during start-up.
    auto* input = static_cast<GdiplusStartupInput*>(std::calloc(1, sizeof(GdiplusStartupInput)));
    if (!input)
        return StartupToken;
    input->GdiplusVersion = static_cast<UINT>(version.value_or(1));
    ULONG_PTR token = 0;
    Flat().GdiplusStartup(&token, input, nullptr);
    std::free(input);

    // The status is not examined: a platform that did not start leaves the
    // token 0, and every later imaging call then fails on its own.
    StartupToken = static_cast<std::uint32_t>(token);
    return StartupToken;
}

void StopImaging(std::optional<std::uint32_t> token)
{
    std::uint32_t stopping = 0;
    if (token) {
        stopping = *token;
    } else {
        stopping = StartupToken;
        StartupToken = 0;
    }
    if (stopping != 0)
        Flat().GdiplusShutdown(stopping);
}

} // namespace quillory
