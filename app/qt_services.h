#pragma once

#include "services.h"

namespace quillory {

// The services as the program uses them: Qt's font, colour and file dialogs,
// run modally; file writing through a temporary file; the freedesktop file
// manager request with xdg-open as fallback.
class QtServices final : public Services {
public:
    std::optional<QString> ChooseFontFace(QWidget* parent, const QString& faceName) override;
    std::optional<ColorRef> ChooseColour(QWidget* parent, ColorRef current) override;
    std::optional<QString> ChooseSavePath(QWidget* parent) override;
    FileWriteResult WriteFile(const QString& path, const Bytes& bytes) override;
    void ShowInFileManager(const QString& path) override;
};

} // namespace quillory
