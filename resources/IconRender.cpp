// Build tool: draws an SVG icon at the sizes asked for.
//
//   quill-icon-render ICON.svg OUTFOLDER NAME SIZE...
//
// writes OUTFOLDER/NAME-SIZE.png for every size and OUTFOLDER/NAME.ico that
// holds all of them (each image stored as PNG, which Windows reads from
// Vista on). Exit status 1 with a message when the SVG cannot be read or a
// file cannot be written.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

namespace {

struct Rendered {
    int size;
    QByteArray png;
};

void PutLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// An icon file: a header, one directory entry per image, then the images.
QByteArray IcoFile(const std::vector<Rendered>& images) {
    QByteArray out;
    PutLittleEndian(out, 0, 2);  // reserved
    PutLittleEndian(out, 1, 2);  // type: icon
    PutLittleEndian(out, static_cast<quint32>(images.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (const Rendered& image : images) {
        const quint32 side = image.size >= 256 ? 0 : static_cast<quint32>(image.size);
        PutLittleEndian(out, side, 1);  // width, 0 for 256
        PutLittleEndian(out, side, 1);  // height
        PutLittleEndian(out, 0, 1);     // no palette
        PutLittleEndian(out, 0, 1);     // reserved
        PutLittleEndian(out, 1, 2);     // colour planes
        PutLittleEndian(out, 32, 2);    // bits per pixel
        PutLittleEndian(out, static_cast<quint32>(image.png.size()), 4);
        PutLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(image.png.size());
    }
    for (const Rendered& image : images) {
        out.append(image.png);
    }
    return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: quill-icon-render ICON.svg OUTFOLDER NAME SIZE...\n");
        return 1;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "quill-icon-render: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QString base = args[2] + QLatin1Char('/') + args[3];
    std::vector<Rendered> images;
    for (int i = 4; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size < 1 || size > 256) {
            std::fprintf(stderr, "quill-icon-render: bad size %s\n", qPrintable(args[i]));
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const QString path =
            base + QLatin1Char('-') + QString::number(size) + QStringLiteral(".png");
        if (png.isEmpty() || !WriteFile(path, png)) {
            std::fprintf(stderr, "quill-icon-render: cannot write %s\n", qPrintable(path));
            return 1;
        }
        images.push_back({size, png});
    }
    if (!WriteFile(base + QStringLiteral(".ico"), IcoFile(images))) {
        std::fprintf(stderr, "quill-icon-render: cannot write %s.ico\n", qPrintable(base));
        return 1;
    }
    return 0;
}
