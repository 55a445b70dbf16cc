#pragma once

#include <memory>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace engine::text {

// The FreeType library instance, shared by the font cache and every face
// made with it: a face handed out inside a font may outlive the cache (a
// caller that never deletes its fonts leaves them to the process's exit,
// where the cache can go first), and must never outlive its library.
class FreeTypeLibrary {
public:
    // Null when FreeType cannot start.
    static std::shared_ptr<FreeTypeLibrary> create();

    ~FreeTypeLibrary();
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

    FT_Library get() const { return library_; }

private:
    explicit FreeTypeLibrary(FT_Library library) : library_(library) { }

    FT_Library library_;
};

} // namespace engine::text
