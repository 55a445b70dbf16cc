#pragma once

#include "renderer.h"

#include <QImage>
#include <QWidget>

namespace quillory {

// Shows an encoded picture at its own pixel size from the top-left corner, on
// white, without a border: a picture as large as the box covers it exactly.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Takes the bytes of a BMP file. Empty, cut-off or undecodable bytes leave
    // the box without a picture.
    void SetPicture(const Bytes& bytes);

    // The picture shown; a null image when there is none.
    const QImage& Picture() const { return picture_; }

signals:
    // Emitted on every SetPicture, whether or not the picture differs.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace quillory
