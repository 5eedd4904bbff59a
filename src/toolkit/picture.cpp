#include "picture.h"

#include "packed_pictures.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace tk {

namespace {

const PackedPicture* packedPicture(QStringView name)
{
    const auto pictures = packedPictures();
    const auto found = std::find_if(pictures.begin(), pictures.end(), [name](const PackedPicture& picture) {
        return name == QStringView(picture.name.data(), qsizetype(picture.name.size()));
    });
    return found == pictures.end() ? nullptr : &*found;
}

}  // namespace

QSize pictureSize(const QString& name)
{
    const PackedPicture* picture = packedPicture(name);
    return picture ? QSize(picture->width, picture->height) : QSize();
}

// The pixmap reads the compiled-in pixels in place: QPixmap keeps a
// read-only image's buffer rather than copying it.
QPixmap loadPicture(const QString& name)
{
    const PackedPicture* picture = packedPicture(name);
    if (!picture) {
        qWarning("No picture is compiled in as %s", qUtf8Printable(name));
        return {};
    }
    return QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar*>(picture->pixels), picture->width, picture->height, picture->format));
}

Picture::Picture(QWidget* parent, const QString& name, float left, float top, const QString& picture)
    : Element(parent, name)
    , m_pictureName(picture)
{
    setAccessibleRole(QAccessible::Graphic);
    const QSize natural = pictureSize(picture);
    setRect(left, top, toTwips(natural.width()), toTwips(natural.height()));
}

const QPixmap& Picture::picture() const
{
    if (!m_pictureName.isEmpty())
        m_picture = loadPicture(std::exchange(m_pictureName, QString()));
    return m_picture;
}

void Picture::takePictureOf(const Picture& other)
{
    m_pictureName.clear();
    m_picture = other.picture();
    setRect(left(), top(), toTwips(m_picture.width()), toTwips(m_picture.height()));
    setAccessibleName(other.accessibleName());
    update();
}

// Nearest neighbours: pixel art scaled for a high-density screen stays crisp
// only without smoothing.
void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), picture());
}

}  // namespace tk
