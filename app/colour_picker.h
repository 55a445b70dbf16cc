#pragma once

#include "renderer.h"

#include <QPushButton>

namespace quillory {

class ColourPopup;
class Services;

// A drop-down colour chooser: a button showing the current colour that opens
// a popup of swatches and a way to choose any other colour through the colour
// dialog. There is no transparent choice. colourChosen fires only when the
// user picks a colour, never when the program sets one.
class ColourPicker final : public QPushButton {
    Q_OBJECT

public:
    // `services` must outlive the picker.
    ColourPicker(Services& services, ColorRef color, QWidget* parent);

    ColorRef Colour() const { return color_; }
    void SetColour(ColorRef color);

    // Opens the popup below the button, as a click does.
    void ShowPopup();
    ColourPopup* Popup() const { return popup_; }

signals:
    void colourChosen();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose(ColorRef color);
    void ChooseOther();

    Services& services_;
    ColorRef color_;
    ColourPopup* popup_;
};

} // namespace quillory
