#pragma once

// The game's pictures, compiled in as the pixels a QPixmap of each PNG under
// assets/ holds: premultiplied ARGB32 when the picture has transparency,
// RGB32 when it has none. The build writes the table with
// tools/pack_pictures, so start-up decodes nothing, and the pixels, stored in
// the PNGs' order apart from the table, are read only for pictures shown.

#include <QImage>

#include <span>
#include <string_view>

namespace tk {

struct PackedPicture {
    std::u16string_view name;  // the PNG's name without ".png"
    int width;
    int height;
    QImage::Format format;
    const quint32* pixels;  // width * height, row after row
};

std::span<const PackedPicture> packedPictures();

}  // namespace tk
