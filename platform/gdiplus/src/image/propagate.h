#pragma once

#include <gdiplus/flat_types.h>

// Returns the status of `expression` from the enclosing function unless it
// is Ok: the one early-return helper for failures inside the engine.
#define QUILLORY_PROPAGATE(expression)          \
    do {                                        \
        const GpStatus propagated = (expression); \
        if (propagated != Ok)                   \
            return propagated;                  \
    } while (false)
