#pragma once

// Everything text keeps between calls, in one place: the FreeType library,
// the catalog of installed fonts, loaded faces, fallback choices, shaped
// texts and rasterized glyphs. One per process, made on first use (so
// fontconfig starts with the first text routine, not with the engine), and
// used only under the engine's lock, which every boundary call holds.

#include "text/font_catalog.h"
#include "text/font_face.h"
#include "text/freetype_library.h"
#include "text/glyph_cache.h"
#include "text/shaped_text.h"

#include <gdiplus/flat_types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace engine::text {

class FontCache {
public:
    static FontCache& instance();

    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    FontCatalog& catalog() { return catalog_; }
    GlyphCache& glyphs() { return glyphs_; }

    // The loaded face `descriptor` names, loading it on first use; null when
    // it cannot be loaded (remembered, so a broken file is tried once).
    std::shared_ptr<FontFace> face(const FaceDescriptor& descriptor);

    // The loaded face that draws `style` in `family`. FontStyleNotFound when
    // the family has no face for the style, GenericError when that face
    // cannot be loaded; `face` is left as it was on failure.
    GpStatus faceForStyle(const FamilyRecord& family, int style, std::shared_ptr<FontFace>& face);

    // The face that draws `character` in place of `primary`, which lacks it:
    // the first of fontconfig's fallbacks for `primary` that has it. Null when
    // no installed font has it.
    std::shared_ptr<FontFace> fallbackFor(const FontFace& primary, char32_t character);

    // `text` shaped with `primary` (and its fallbacks when `useFallback`),
    // shaped once and then kept. The result is shared and never changes.
    std::shared_ptr<const ShapedText> shaped(
        std::u16string_view text, const std::shared_ptr<FontFace>& primary, bool useFallback);

private:
    struct ShapeKey {
        std::uint32_t face;
        bool fallback;
        std::u16string text;
        bool operator==(const ShapeKey&) const = default;
    };
    struct ShapeKeyHash {
        std::size_t operator()(const ShapeKey& key) const;
    };

    std::shared_ptr<FreeTypeLibrary> freetype_;
    FontCatalog catalog_;
    std::uint32_t nextFaceId_ = 1;
    std::unordered_map<std::string, std::shared_ptr<FontFace>> faces_; // by file and index
    std::unordered_map<std::uint64_t, std::shared_ptr<FontFace>> fallbackChoices_;
    std::unordered_map<ShapeKey, std::shared_ptr<const ShapedText>, ShapeKeyHash> shapedTexts_;
    GlyphCache glyphs_;
};

} // namespace engine::text
