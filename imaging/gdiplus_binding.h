#pragma once

#include <gdiplus/flat_types.h>

#include <string>

namespace quillory {

// The flat routines the library calls: one pointer per routine of the list,
// bound by name from the engine library, or installed whole by tests.
struct FlatRoutines {
#define QUILLORY_ROUTINE(name, result, parameters) result(*name) parameters = nullptr;
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE
};

// The engine's file name. It is looked for beside the running executable
// first, so that another implementation installed on the system is never
// picked up by accident, then through the loader's search path.
inline constexpr const char* EngineLibraryName = "libquillory-engine.so";

// The table every wrapper calls through. Empty (every pointer null) until
// BindEngine or InstallRoutines has run.
const FlatRoutines& Flat();

// True once a table is in place.
bool RoutinesBound();

// Loads the engine and binds every listed routine. When the library or a
// routine cannot be bound it prints a fatal error naming both and ends the
// process with a non-zero status: nothing may run without its platform.
void BindEngine(const char* libraryName = EngineLibraryName);

// Puts `routines` in place of the bound table (the recording fake in tests).
void InstallRoutines(const FlatRoutines& routines);

// Empties the table again, so the next StartImaging binds the engine.
void ClearRoutines();

} // namespace quillory
