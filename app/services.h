#pragma once

#include "file_writing.h"
#include "renderer.h"

#include <QString>

#include <optional>

class QWidget;

namespace quillory {

// Everything the windows ask of the desktop beyond their own controls: the
// modal dialogs, writing a file and showing a file in the file manager. The
// program uses QtServices; tests script their own, so no dialog ever waits
// for a person.
class Services {
public:
    virtual ~Services() = default;

    // Opens the font dialog on `faceName`. Returns the chosen family name, or
    // nothing when the user cancelled.
    virtual std::optional<QString> ChooseFontFace(QWidget* parent, const QString& faceName) = 0;

    // Opens the colour dialog on `current`, without an alpha channel. Returns the
    // chosen colour, or nothing when the user cancelled.
    virtual std::optional<ColorRef> ChooseColour(QWidget* parent, ColorRef current) = 0;

    // Opens the save dialog (default suffix "bmp", asks before overwriting, the
    // folder must exist, no filter). Returns the full path, or nothing when the
    // user cancelled.
    virtual std::optional<QString> ChooseSavePath(QWidget* parent) = 0;

    // Writes the file; see WriteFileReplacing for what a failure leaves.
    virtual FileWriteResult WriteFile(const QString& path, const Bytes& bytes) = 0;

    // Asks the desktop to show the file selected in its folder. Failures are
    // not reported.
    virtual void ShowInFileManager(const QString& path) = 0;
};

} // namespace quillory
