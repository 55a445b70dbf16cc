#pragma once

#include <QFileDialog>

namespace quillory {

// The export's save dialog (通用对话框3): asks for a file name to write,
// appends "bmp" when the name has no suffix, asks before overwriting an
// existing file, has no file-type filter, and refuses a name whose folder
// does not exist. It is Qt's own dialog, because only it lets the folder check
// run before the dialog closes.
class SaveFileDialog final : public QFileDialog {
    Q_OBJECT

public:
    explicit SaveFileDialog(QWidget* parent = nullptr);

    // Accepts only a file in an existing folder; otherwise tells the user
    // (without blocking) and stays open.
    void accept() override;
};

} // namespace quillory
