// Writes the game's pictures as C++ source: for each PNG, its pixels as a
// QPixmap would hold them, and a table of names and sizes apart from the
// pixels (packed_pictures.h). Pictures keep the order given.
//
// Usage: delvoran_pack_pictures OUTPUT.cpp PICTURE.png...

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// QPixmap's own choice for a picture from a PNG, so the game shows what a
// QPixmap of the file showed.
QImage asPixmapHoldsIt(const QImage& picture)
{
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

// The name becomes part of an identifier and of a string literal.
bool isPlainName(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
    });
}

void writePixels(QTextStream& out, const QString& array, const QImage& pixels)
{
    out << "alignas(16) constexpr quint32 " << array << "[] = {";
    const auto* pixel = reinterpret_cast<const quint32*>(pixels.constBits());
    const qsizetype count = qsizetype(pixels.width()) * pixels.height();
    for (qsizetype i = 0; i < count; ++i)
        out << (i % 8 == 0 ? "\n    " : " ") << "0x" << QString::number(pixel[i], 16).rightJustified(8, u'0') << ',';
    out << "\n};\n\n";
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp PICTURE.png...\n", argv[0]);
        return 2;
    }
    QString source;
    QTextStream out(&source);
    QString table;
    QTextStream entries(&table);
    out << "// Made by delvoran_pack_pictures from the PNGs under assets/.\n\n"
           "#include \"packed_pictures.h\"\n\nnamespace {\n\n";
    for (int i = 2; i < argc; ++i) {
        const QString file = QString::fromLocal8Bit(argv[i]);
        const QImage picture(file);
        if (picture.isNull()) {
            std::fprintf(stderr, "%s: cannot read %s as a picture\n", argv[0], argv[i]);
            return 1;
        }
        const QString name = QFileInfo(file).completeBaseName();
        if (!isPlainName(name)) {
            std::fprintf(stderr, "%s: %s: a picture's name may hold only a-z, 0-9 and _\n", argv[0], argv[i]);
            return 1;
        }
        const QImage pixels = asPixmapHoldsIt(picture);
        const QString array = u"kPixels_"_s + name;
        writePixels(out, array, pixels);
        entries << "    {u\"" << name << "\", " << pixels.width() << ", " << pixels.height() << ", "
                << (pixels.format() == QImage::Format_RGB32 ? "QImage::Format_RGB32"
                                                            : "QImage::Format_ARGB32_Premultiplied")
                << ", " << array << "},\n";
    }
    out << "constexpr tk::PackedPicture kPictures[] = {\n"
        << table << "};\n\n}  // namespace\n\n"
        << "std::span<const tk::PackedPicture> tk::packedPictures()\n{\n    return kPictures;\n}\n";
    out.flush();

    QFile output(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = source.toUtf8();
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.flush()) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[1], qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
