#pragma once

#include "element.h"

#include <QPixmap>

namespace tk {

// The game's pictures, by the name of their PNG without ".png", compiled in
// as pixels (packed_pictures.h) so that showing one decodes nothing. An
// unknown name gives an empty size and a null pixmap.
QSize pictureSize(const QString& name);
QPixmap loadPicture(const QString& name);

class Picture : public Element {
    Q_OBJECT
public:
    // Shown at its natural size with its top-left corner at (left, top)
    // twips. The pixels are read only when the picture is first shown or
    // taken, so pictures kept in reserve cost nothing at start-up.
    Picture(QWidget* parent, const QString& name, float left, float top, const QString& picture);

    const QPixmap& picture() const;
    // The picture's accessible name travels with it, so a screen reader
    // names what is shown.
    void takePictureOf(const Picture& other);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QString m_pictureName;  // not read yet while not empty
    mutable QPixmap m_picture;
};

}  // namespace tk
