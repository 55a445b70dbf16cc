#include "text/font_catalog.h"

#include "text/utf16.h"

#include <map>

namespace engine::text {

namespace {

// fontconfig gives weights as integers for ordinary faces and as doubles for
// some others; either way a number.
int numberOf(FcPattern* pattern, const char* object, int fallback)
{
    int integer = 0;
    if (FcPatternGetInteger(pattern, object, 0, &integer) == FcResultMatch)
        return integer;
    double real = 0;
    if (FcPatternGetDouble(pattern, object, 0, &real) == FcResultMatch)
        return static_cast<int>(real);
    return fallback;
}

bool flagOf(FcPattern* pattern, const char* object, bool fallback)
{
    FcBool value = FcFalse;
    if (FcPatternGetBool(pattern, object, 0, &value) == FcResultMatch)
        return value != FcFalse;
    return fallback;
}

// A face as fontconfig describes it, or false for one the engine cannot draw
// with: a bitmap-only font, or a variable font's default entry (its named
// instances are listed separately and are used instead).
bool describe(FcPattern* pattern, FaceDescriptor& face)
{
    FcChar8* file = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || !file)
        return false;
    if (!flagOf(pattern, FC_SCALABLE, true) || flagOf(pattern, FC_VARIABLE, false))
        return false;
    face.file = reinterpret_cast<const char*>(file);
    face.index = numberOf(pattern, FC_INDEX, 0);
    face.weight = numberOf(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    face.slant = numberOf(pattern, FC_SLANT, FC_SLANT_ROMAN);
    face.width = numberOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    return true;
}

struct PatternOwner {
    FcPattern* pattern;
    ~PatternOwner()
    {
        if (pattern)
            FcPatternDestroy(pattern);
    }
};

} // namespace

FontCatalog::FontCatalog()
{
    // FcInit shares the process's configuration: in the desktop program the
    // toolkit has already loaded it, and this costs nothing.
    ready_ = FcInit() != FcFalse;
    if (!ready_)
        return;

    PatternOwner everything{FcPatternCreate()};
    FcObjectSet* objects = FcObjectSetBuild(
        FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_SCALABLE, FC_VARIABLE, nullptr);
    FcFontSet* installed = FcFontList(nullptr, everything.pattern, objects);
    FcObjectSetDestroy(objects);

    struct Builder {
        std::string name;
        std::vector<FaceDescriptor> faces;
    };
    std::map<std::string, Builder> builders;
    for (int font = 0; installed && font < installed->nfont; ++font) {
        FcPattern* pattern = installed->fonts[font];
        FaceDescriptor face;
        if (!describe(pattern, face))
            continue;
        FcChar8* family = nullptr;
        for (int name = 0; FcPatternGetString(pattern, FC_FAMILY, name, &family) == FcResultMatch; ++name) {
            std::string familyName = reinterpret_cast<const char*>(family);
            Builder& builder = builders[fold(familyName)];
            if (builder.name.empty())
                builder.name = familyName;
            bool known = false;
            for (const FaceDescriptor& existing : builder.faces)
                known = known || (existing.file == face.file && existing.index == face.index);
            if (known)
                continue;
            face.family = familyName;
            builder.faces.push_back(face);
        }
    }
    if (installed)
        FcFontSetDestroy(installed);

    for (auto& [folded, builder] : builders)
        families_.emplace(folded, std::make_shared<const FamilyRecord>(builder.name, std::move(builder.faces)));
}

FontCatalog::~FontCatalog()
{
    for (auto& [key, list] : fallbacks_) {
        if (list.fonts)
            FcFontSetDestroy(list.fonts);
    }
}

std::string FontCatalog::fold(std::string_view utf8) const
{
    std::string copy(utf8);
    FcChar8* folded = FcStrDowncase(reinterpret_cast<const FcChar8*>(copy.c_str()));
    if (!folded)
        return copy;
    std::string result(reinterpret_cast<const char*>(folded));
    FcStrFree(folded);
    return result;
}

std::shared_ptr<const FamilyRecord> FontCatalog::resolveGeneric(const char* alias) const
{
    PatternOwner request{FcPatternCreate()};
    FcPatternAddString(request.pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(alias));
    FcConfigSubstitute(nullptr, request.pattern, FcMatchPattern);
    FcDefaultSubstitute(request.pattern);
    FcResult result = FcResultNoMatch;
    PatternOwner match{FcFontMatch(nullptr, request.pattern, &result)};
    if (!match.pattern)
        return nullptr;
    FcChar8* family = nullptr;
    for (int name = 0; FcPatternGetString(match.pattern, FC_FAMILY, name, &family) == FcResultMatch; ++name) {
        auto found = families_.find(fold(reinterpret_cast<const char*>(family)));
        if (found != families_.end())
            return found->second;
    }
    return nullptr;
}

std::shared_ptr<const FamilyRecord> FontCatalog::find(std::u16string_view name)
{
    if (!ready_ || name.empty())
        return nullptr;
    std::string folded = fold(toUtf8(name));
    auto found = families_.find(folded);
    if (found != families_.end())
        return found->second;
    if (folded == "sans serif")
        return generic(GenericFamily::SansSerif);
    if (folded == "serif")
        return generic(GenericFamily::Serif);
    if (folded == "monospace")
        return generic(GenericFamily::Monospace);
    return nullptr;
}

std::shared_ptr<const FamilyRecord> FontCatalog::generic(GenericFamily which)
{
    // Resolved on demand: the first match costs fontconfig several
    // milliseconds, which a program naming real families never needs to pay.
    static constexpr const char* aliases[] = {"sans-serif", "serif", "monospace"};
    int slot = static_cast<int>(which);
    if (!genericsResolved_[slot] && ready_) {
        generics_[slot] = resolveGeneric(aliases[slot]);
        genericsResolved_[slot] = true;
    }
    return generics_[slot];
}

const std::vector<FallbackCandidate>& FontCatalog::fallbacks(const FaceDescriptor& face)
{
    std::string key = face.file + '\n' + std::to_string(face.index);
    auto found = fallbacks_.find(key);
    if (found != fallbacks_.end())
        return found->second.candidates;

    FallbackList& list = fallbacks_[key];
    if (!ready_)
        return list.candidates;
    PatternOwner request{FcPatternCreate()};
    FcPatternAddString(request.pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.family.c_str()));
    FcPatternAddInteger(request.pattern, FC_WEIGHT, face.weight);
    FcPatternAddInteger(request.pattern, FC_SLANT, face.slant);
    FcConfigSubstitute(nullptr, request.pattern, FcMatchPattern);
    FcDefaultSubstitute(request.pattern);
    FcResult result = FcResultNoMatch;
    // Trimmed: a font that covers nothing the ones before it do not is left out.
    list.fonts = FcFontSort(nullptr, request.pattern, FcTrue, nullptr, &result);
    for (int font = 0; list.fonts && font < list.fonts->nfont; ++font) {
        FcPattern* pattern = list.fonts->fonts[font];
        FallbackCandidate candidate;
        FcCharSet* characters = nullptr;
        if (!describe(pattern, candidate.face) ||
            FcPatternGetCharSet(pattern, FC_CHARSET, 0, &characters) != FcResultMatch)
            continue;
        FcChar8* family = nullptr;
        if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch)
            candidate.face.family = reinterpret_cast<const char*>(family);
        candidate.characters = characters;
        list.candidates.push_back(std::move(candidate));
    }
    return list.candidates;
}

} // namespace engine::text
