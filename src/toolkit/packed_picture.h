#pragma once

// How the game's pictures are compiled in: three native-endian 32-bit numbers
// (width, height, QImage::Format) and then the rows of pixels exactly as
// QImage holds them. Only the two formats a PNG decoder hands a QPixmap are
// used, RGB32 for an opaque picture and premultiplied ARGB32 for one with
// transparency, so what is shown is what the PNG showed.
//
// Header-only, because the build's packing tool writes what the toolkit
// reads, and the toolkit cannot be built before the pictures are packed.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

#include <cstring>
#include <optional>

namespace tk {

struct PackedPictureHeader {
    quint32 width;
    quint32 height;
    quint32 format;
};

inline QByteArray packPicture(const QImage& picture)
{
    const QImage pixels = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                            : QImage::Format_RGB32);
    const PackedPictureHeader header{static_cast<quint32>(pixels.width()), static_cast<quint32>(pixels.height()),
                                     static_cast<quint32>(pixels.format())};
    QByteArray packed(reinterpret_cast<const char*>(&header), sizeof header);
    packed.append(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes());
    return packed;
}

// Empty unless the header is one packPicture() writes and the pixels that
// follow are exactly as many as it announces.
inline std::optional<PackedPictureHeader> packedPictureHeader(QByteArrayView packed)
{
    constexpr quint32 kLargest = 4096;
    PackedPictureHeader header{};
    if (packed.size() < static_cast<qsizetype>(sizeof header))
        return std::nullopt;
    std::memcpy(&header, packed.data(), sizeof header);
    const bool known = header.format == QImage::Format_RGB32 || header.format == QImage::Format_ARGB32_Premultiplied;
    const bool sized = header.width > 0 && header.width <= kLargest && header.height > 0 && header.height <= kLargest;
    if (!known || !sized)
        return std::nullopt;
    const auto expected = static_cast<qsizetype>(sizeof header + 4ull * header.width * header.height);
    if (packed.size() != expected)
        return std::nullopt;
    return header;
}

// The image reads the packed bytes in place when they are aligned for its
// pixels, as compiled-in data is, so nothing is copied and the bytes must
// outlive the image and its copies; unaligned bytes are copied instead.
inline QImage unpackPicture(QByteArrayView packed)
{
    const std::optional<PackedPictureHeader> header = packedPictureHeader(packed);
    if (!header)
        return {};
    const auto* pixels = reinterpret_cast<const uchar*>(packed.data() + sizeof *header);
    const auto width = static_cast<int>(header->width);
    const auto height = static_cast<int>(header->height);
    const auto format = static_cast<QImage::Format>(header->format);
    if (reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0)
        return QImage(pixels, width, height, format);
    QImage copy(width, height, format);
    std::memcpy(copy.bits(), pixels, static_cast<size_t>(copy.sizeInBytes()));
    return copy;
}

}  // namespace tk
