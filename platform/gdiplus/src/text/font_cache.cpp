#include "text/font_cache.h"

#include "text/shaper.h"
#include "text/utf16.h"

#include <functional>

namespace engine::text {

namespace {

// Bounds on what is kept. Shaped texts are small (a preview keeps two); a
// text edited key by key leaves one entry per keystroke behind, so the whole
// set is dropped when it grows past this.
constexpr std::size_t ShapedTextLimit = 512;
constexpr std::size_t FallbackChoiceLimit = 65536;
// Large enough for the glyphs of a phone-sized picture many times over.
constexpr std::size_t GlyphBudgetBytes = 32u << 20;

} // namespace

std::size_t FontCache::ShapeKeyHash::operator()(const ShapeKey& key) const
{
    std::size_t hash = std::hash<std::u16string>{}(key.text);
    return hash ^ (std::size_t(key.face) * 0x9E3779B97F4A7C15ull) ^ std::size_t(key.fallback);
}

FontCache& FontCache::instance()
{
    static FontCache cache;
    return cache;
}

FontCache::FontCache() : freetype_(FreeTypeLibrary::create()), glyphs_(GlyphBudgetBytes)
{
}

FontCache::~FontCache() = default;

std::shared_ptr<FontFace> FontCache::face(const FaceDescriptor& descriptor)
{
    std::string key = descriptor.file + '\n' + std::to_string(descriptor.index);
    auto found = faces_.find(key);
    if (found != faces_.end())
        return found->second;
    std::shared_ptr<FontFace> loaded;
    if (freetype_)
        loaded = FontFace::load(freetype_, descriptor, nextFaceId_++);
    faces_.emplace(key, loaded);
    return loaded;
}

GpStatus FontCache::faceForStyle(const FamilyRecord& family, int style, std::shared_ptr<FontFace>& face)
{
    const FaceDescriptor* descriptor = family.faceFor(style);
    if (!descriptor)
        return FontStyleNotFound;
    std::shared_ptr<FontFace> loaded = this->face(*descriptor);
    if (!loaded)
        return GenericError;
    face = std::move(loaded);
    return Ok;
}

std::shared_ptr<FontFace> FontCache::fallbackFor(const FontFace& primary, char32_t character)
{
    std::uint64_t key = (std::uint64_t(primary.id()) << 32) | character;
    auto found = fallbackChoices_.find(key);
    if (found != fallbackChoices_.end())
        return found->second;

    std::shared_ptr<FontFace> chosen;
    for (const FallbackCandidate& candidate : catalog_.fallbacks(primary.descriptor())) {
        if (!FcCharSetHasChar(candidate.characters, character))
            continue;
        std::shared_ptr<FontFace> loaded = face(candidate.face);
        if (loaded && loaded.get() != &primary && loaded->hasCharacter(character)) {
            chosen = std::move(loaded);
            break;
        }
    }
    if (fallbackChoices_.size() >= FallbackChoiceLimit)
        fallbackChoices_.clear();
    fallbackChoices_.emplace(key, chosen);
    return chosen;
}

std::shared_ptr<const ShapedText> FontCache::shaped(
    std::u16string_view text, const std::shared_ptr<FontFace>& primary, bool useFallback)
{
    ShapeKey key{primary->id(), useFallback, std::u16string(text)};
    auto found = shapedTexts_.find(key);
    if (found != shapedTexts_.end())
        return found->second;

    FallbackLookup fallback;
    if (useFallback)
        fallback = [this, &primary](char32_t character) { return fallbackFor(*primary, character); };
    auto result = std::make_shared<const ShapedText>(shapeText(text, primary, fallback));
    if (shapedTexts_.size() >= ShapedTextLimit)
        shapedTexts_.clear();
    shapedTexts_.emplace(std::move(key), result);
    return result;
}

} // namespace engine::text
