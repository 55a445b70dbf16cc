#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace quillory {

class MainWindow;
class Services;

// Asks for the phone's screen size, offers eight presets, and on "确定"
// renders the design at that size, writes it as a BMP file chosen in the save
// dialog and, when the main window says so, shows the file in the file
// manager. Modal, owned by the main window, deleted when it closes.
class ResolutionWindow final : public QDialog {
    Q_OBJECT

public:
    // What became of one export. When nothing was written, `failure` says why
    // and the file at the path is as it was.
    struct ExportResult {
        bool written = false;
        QString failure;
    };

    // `owner` and `services` must outlive the window.
    ResolutionWindow(MainWindow& owner, Services& services);

    // Renders the main window's design at width x height and writes it to
    // `path`. The picture is rendered first: when no picture can be made, the
    // file is neither created nor touched.
    ExportResult ExportBackground(const QString& path, int width, int height);

private:
    void Confirm();

    MainWindow& owner_;
    Services& services_;
    QLineEdit* heightBox_ = nullptr;
    QLineEdit* widthBox_ = nullptr;
};

} // namespace quillory
