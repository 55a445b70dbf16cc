// Start-up, shut-down and the platform allocator.

#include "boundary.h"

#include <gdiplus/flat_api.h>

#include <cstdlib>

namespace {

GpStatus notificationHook(ULONG_PTR* token)
{
    if (token)
        *token = 0;
    return Ok;
}

void notificationUnhook(ULONG_PTR)
{
}

} // namespace

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    if (!token || !input)
        return InvalidParameter;
    // Version 2 adds nothing this engine lacks; later versions are not ours.
    if (input->GdiplusVersion != 1 && input->GdiplusVersion != 2)
        return UnsupportedGdiplusVersion;
    // A caller that suppresses the background thread must take the hooks.
    if (input->SuppressBackgroundThread && !output)
        return InvalidParameter;
    if (output) {
        output->NotificationHook = notificationHook;
        output->NotificationUnhook = notificationUnhook;
    }
    engine::EngineState& state = engine::EngineState::instance();
    std::lock_guard lock(state.mutex());
    *token = state.start();
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token)
{
    engine::EngineState& state = engine::EngineState::instance();
    std::lock_guard lock(state.mutex());
    state.stop(token);
}

void* GdipAlloc(size_t size)
{
    return std::malloc(size);
}

void GdipFree(void* pointer)
{
    std::free(pointer);
}
