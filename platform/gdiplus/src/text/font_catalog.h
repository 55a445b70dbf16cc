#pragma once

// The installed fonts, through fontconfig: the "find family" stage, and the
// lists fallback fonts are taken from. fontconfig is asked once per process
// for the installed fonts and once per face for its fallbacks; lookups by
// name afterwards are a hash lookup.

#include "text/face_descriptor.h"
#include "text/family_record.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <fontconfig/fontconfig.h>

namespace engine::text {

enum class GenericFamily { SansSerif, Serif, Monospace };

// A face that may draw characters the chosen face lacks, and the characters
// it covers. The character set belongs to the catalog.
struct FallbackCandidate {
    FaceDescriptor face;
    const FcCharSet* characters = nullptr;
};

class FontCatalog {
public:
    // Starts fontconfig and indexes the installed scalable fonts. When
    // fontconfig cannot start, the catalog is empty and every name is unknown.
    FontCatalog();
    ~FontCatalog();
    FontCatalog(const FontCatalog&) = delete;
    FontCatalog& operator=(const FontCatalog&) = delete;

    // The installed family whose name equals `name` ignoring case (any of the
    // names a family goes by, no substitution), or a generic family for the
    // names the toolkit lists beside the installed ones ("Sans Serif",
    // "Serif", "Monospace"). Null when there is none.
    std::shared_ptr<const FamilyRecord> find(std::u16string_view name);

    // fontconfig's default family for `which`, asked once on first use; null
    // when no font is installed.
    std::shared_ptr<const FamilyRecord> generic(GenericFamily which);

    // The faces that can stand in for `face`, best first, as fontconfig sorts
    // them for its family, weight and slant. Computed once per face.
    const std::vector<FallbackCandidate>& fallbacks(const FaceDescriptor& face);

private:
    std::string fold(std::string_view utf8) const;
    std::shared_ptr<const FamilyRecord> resolveGeneric(const char* alias) const;

    struct FallbackList {
        FcFontSet* fonts = nullptr; // owns the character sets the candidates point to
        std::vector<FallbackCandidate> candidates;
    };

    bool ready_ = false;
    std::unordered_map<std::string, std::shared_ptr<const FamilyRecord>> families_; // by folded name
    std::shared_ptr<const FamilyRecord> generics_[3];
    bool genericsResolved_[3] = {false, false, false};
    std::unordered_map<std::string, FallbackList> fallbacks_; // by file, index
};

} // namespace engine::text
