#pragma once

#include "renderer.h"

#include <QFrame>

#include <span>
#include <vector>

class QAbstractButton;

namespace quillory {

// The drop-down part of a colour picker: a grid of colour swatches and a
// button for any other colour. It closes as soon as the user picks, or when
// the user clicks elsewhere.
class ColourPopup final : public QFrame {
    Q_OBJECT

public:
    explicit ColourPopup(QWidget* parent);

    // The swatch colours, row by row; Swatches() holds their buttons in the same order.
    static std::span<const ColorRef> SwatchColours();
    const std::vector<QAbstractButton*>& Swatches() const { return swatches_; }
    QAbstractButton* OtherColourButton() const { return otherColourButton_; }

signals:
    void swatchPicked(quint32 color);
    void otherColourRequested();

private:
    std::vector<QAbstractButton*> swatches_;
    QAbstractButton* otherColourButton_ = nullptr;
};

} // namespace quillory
