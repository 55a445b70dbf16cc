#pragma once

#include "renderer.h"

#include <QMainWindow>

class QAction;
class QLineEdit;
class QPushButton;

namespace quillory {

class ColourPicker;
class FontPicker;
class PictureBox;
class Services;

// The window where the user designs the background: a text, a font and a
// text colour for each column, a background colour for each column, and a
// preview that is rendered again after every change. All choices live in the
// controls; nothing is copied elsewhere. Destroying the window stops imaging,
// so imaging must be running while it exists.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    // `services` must outlive the window.
    explicit MainWindow(Services& services);
    ~MainWindow() override;

    // Renders the design at the preview's own size and shows it; a failed
    // render clears the preview.
    void RefreshPreview();

    // Sets the two font buttons' captions to the stored face names.
    void RefreshFontCaptions();

    // Renders the design as the controls hold it now at width x height pixels;
    // the bytes of a BMP file, empty when no picture could be made.
    Bytes RenderDesign(int width, int height) const;

    // Whether the menu item "导出后打开" is checked.
    bool OpenAfterExport() const;

    QAction* ExportAction() const { return exportAction_; }
    QAction* OpenAfterExportAction() const { return openAfterExportAction_; }

private:
    void BuildMenu();
    void BuildControls();
    void ChooseFont(FontPicker& picker);
    void OpenResolutionWindow();

    Services& services_;
    QAction* exportAction_ = nullptr;
    QAction* openAfterExportAction_ = nullptr;
    QLineEdit* leftText_ = nullptr;
    QLineEdit* rightText_ = nullptr;
    QPushButton* leftFontButton_ = nullptr;
    QPushButton* rightFontButton_ = nullptr;
    ColourPicker* leftTextColour_ = nullptr;
    ColourPicker* rightTextColour_ = nullptr;
    ColourPicker* leftBackground_ = nullptr;
    ColourPicker* rightBackground_ = nullptr;
    PictureBox* preview_ = nullptr;
    FontPicker* leftFont_ = nullptr;
    FontPicker* rightFont_ = nullptr;
};

} // namespace quillory
