#include "qt_services.h"

#include "colour_value.h"
#include "file_manager.h"
#include "save_file_dialog.h"

#include <QColorDialog>
#include <QFontDialog>

namespace quillory {

std::optional<QString> QtServices::ChooseFontFace(QWidget* parent, const QString& faceName)
{
    QFontDialog dialog(QFont(faceName), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    // Only the face name is kept: size, style and effects have no part in the picture.
    return dialog.selectedFont().family();
}

std::optional<ColorRef> QtServices::ChooseColour(QWidget* parent, ColorRef current)
{
    QColorDialog dialog(ColorRefToQColor(current), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return QColorToColorRef(dialog.selectedColor());
}

std::optional<QString> QtServices::ChooseSavePath(QWidget* parent)
{
    SaveFileDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

FileWriteResult QtServices::WriteFile(const QString& path, const Bytes& bytes)
{
    return WriteFileReplacing(path, bytes);
}

void QtServices::ShowInFileManager(const QString& path)
{
    quillory::ShowInFileManager(path);
}

} // namespace quillory
