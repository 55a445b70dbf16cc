#include "text/family_record.h"

#include "text/utf16.h"

#include <cstdlib>
#include <tuple>

namespace engine::text {

FamilyRecord::FamilyRecord(std::string name, std::vector<FaceDescriptor> faces)
    : name_(std::move(name)),
      nameUtf16_(fromUtf8(name_)),
      faces_(std::move(faces))
{
}

const FaceDescriptor* FamilyRecord::faceFor(int style) const
{
    bool bold = (style & StyleBold) != 0;
    bool italic = (style & StyleItalic) != 0;
    int targetWeight = bold ? 200 : 80;

    auto distance = [&](const FaceDescriptor& face) {
        // Normal width first (a condensed face shares its family's name with
        // the normal ones), then the weight asked for, then italic over oblique.
        return std::make_tuple(std::abs(face.width - 100), std::abs(face.weight - targetWeight),
            std::abs(face.slant - (italic ? 100 : 0)));
    };

    const FaceDescriptor* best = nullptr;
    for (const FaceDescriptor& face : faces_) {
        if (face.bold() != bold || face.italic() != italic)
            continue;
        if (!best || distance(face) < distance(*best))
            best = &face;
    }
    if (best || bold || italic)
        return best;
    for (const FaceDescriptor& face : faces_) {
        if (!best || distance(face) < distance(*best))
            best = &face;
    }
    return best;
}

} // namespace engine::text
