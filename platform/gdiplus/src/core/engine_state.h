#pragma once

#include "registry.h"

#include <gdiplus/flat_types.h>

#include <mutex>
#include <set>

namespace engine {

// The platform's process-wide state: whether it is started, and every object
// it has handed out. One per process, as the interface it implements is.
class EngineState {
public:
    static EngineState& instance();

    // Every boundary call holds this for its whole duration. Recursive, so a
    // caller's callback (an abort or enumeration procedure) may call back in.
    std::recursive_mutex& mutex() { return mutex_; }

    bool started() const { return !tokens_.empty(); }

    // A new start-up; returns its token (small, non-zero, never reused).
    ULONG_PTR start();

    // Ends the start-up `token`; the last one destroys every remaining object.
    // Unknown tokens are ignored.
    void stop(ULONG_PTR token);

    Registry& registry() { return registry_; }

private:
    EngineState() = default;

    std::recursive_mutex mutex_;
    std::set<ULONG_PTR> tokens_;
    ULONG_PTR nextToken_ = 1;
    Registry registry_;
};

} // namespace engine
