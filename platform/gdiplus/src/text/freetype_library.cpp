#include "text/freetype_library.h"

namespace engine::text {

std::shared_ptr<FreeTypeLibrary> FreeTypeLibrary::create()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return nullptr;
    return std::shared_ptr<FreeTypeLibrary>(new FreeTypeLibrary(library));
}

FreeTypeLibrary::~FreeTypeLibrary()
{
    FT_Done_FreeType(library_);
}

} // namespace engine::text
