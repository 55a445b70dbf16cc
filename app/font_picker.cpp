#include "font_picker.h"

#include "services.h"

namespace quillory {

FontPicker::FontPicker(Services& services, const QString& initialFaceName, QObject* parent)
    : QObject(parent),
      services_(services),
      faceName_(initialFaceName)
{
}

bool FontPicker::Open(QWidget* dialogParent)
{
    const std::optional<QString> chosen = services_.ChooseFontFace(dialogParent, faceName_);
    if (!chosen) {
        return false;
    }
    faceName_ = *chosen;
    return true;
}

} // namespace quillory
