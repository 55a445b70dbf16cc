/* Declarations of every flat routine the engine exports, expanded from the one
 * list in flat_routines.def. The engine builds with hidden visibility, so the
 * attribute here is what makes exactly these names leave the library.
 *
 * Every routine but GdiplusStartup, GdiplusShutdown, GdipAlloc and GdipFree
 * answers GdiplusNotInitialized before start-up and after the last shutdown.
 * A routine that fails leaves its out-arguments and objects as they were unless
 * its own documentation says otherwise. */
#ifndef QUILLORY_GDIPLUS_FLAT_API_H
#define QUILLORY_GDIPLUS_FLAT_API_H

#include <gdiplus/flat_types.h>

#define QUILLORY_ENGINE_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

#define QUILLORY_ROUTINE(name, returnType, parameters) QUILLORY_ENGINE_API returnType name parameters;
#include <gdiplus/flat_routines.def>
#undef QUILLORY_ROUTINE

#ifdef __cplusplus
}
#endif

#endif
