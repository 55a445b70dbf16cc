#pragma once

// Helpers for the boundary shells: each exported routine takes the engine's
// lock, refuses work before start-up, looks up its handles by kind and turns
// any escaping exception into a status, so nothing but a status crosses back.

#include "engine_state.h"

#include <gdiplus/flat_types.h>

#include <memory>
#include <new>

namespace engine {

// Runs `body` (returning a GpStatus) as one boundary call.
template <typename Body> GpStatus guarded(Body&& body)
{
    EngineState& state = EngineState::instance();
    std::lock_guard lock(state.mutex());
    if (!state.started())
        return GdiplusNotInitialized;
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    } catch (...) {
        return GenericError;
    }
}

// The live object of type T behind a handle argument, or null for a null,
// stale, foreign or wrong-kind handle. Only valid inside `guarded`.
template <typename T> T* lookup(const void* handle)
{
    if (!handle)
        return nullptr;
    return EngineState::instance().registry().find<T>(handle);
}

// Registers `object` and writes its handle to `out`.
template <typename Handle, typename T> GpStatus handOut(std::unique_ptr<T> object, Handle** out)
{
    Object* handle = EngineState::instance().registry().adopt(std::move(object));
    *out = reinterpret_cast<Handle*>(handle);
    return Ok;
}

// Destroys the object of type T behind `handle`.
template <typename T> GpStatus destroy(const void* handle)
{
    if (!lookup<T>(handle))
        return InvalidParameter;
    EngineState::instance().registry().release(handle);
    return Ok;
}

} // namespace engine
