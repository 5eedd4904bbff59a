// Turns one of the game's PNG pictures into the raw form the game compiles
// in, so that showing a picture copies pixels instead of running a PNG
// decoder at start-up. The layout is the toolkit's (packed_picture.h).
//
// Usage: delvoran_pack_pictures INPUT.png OUTPUT

#include "packed_picture.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.png OUTPUT\n", argv[0]);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s as a picture\n", argv[0], argv[1]);
        return 1;
    }
    const QByteArray packed = tk::packPicture(image);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(packed) != packed.size() || !out.flush()) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
