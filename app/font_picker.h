#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace quillory {

class Services;

// A font dialog as a window keeps it (通用对话框1, 通用对话框2): not visible,
// it remembers the face name last confirmed and opens the font dialog on it.
class FontPicker final : public QObject {
    Q_OBJECT

public:
    // `services` must outlive the picker.
    FontPicker(Services& services, const QString& initialFaceName, QObject* parent);

    const QString& FaceName() const { return faceName_; }

    // Opens the font dialog over `dialogParent` on the stored face name. Returns
    // true when the user confirmed; the chosen face name is then stored.
    bool Open(QWidget* dialogParent);

private:
    Services& services_;
    QString faceName_;
};

} // namespace quillory
