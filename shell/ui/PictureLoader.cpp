#include "shell/ui/PictureLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cstring>

#include "core/Errors.h"

namespace lc::ui {

namespace {

QString formatName(const QByteArray& head, const QString& file) {
    if (head.startsWith("\x01\x00\x00\x00") && head.size() >= 44 && head.mid(40, 4) == " EMF") return "EMF";
    if (head.startsWith("\xD7\xCD\xC6\x9A") || head.startsWith(QByteArray("\x01\x00\x09\x00", 4))) return "WMF";
    if (head.startsWith("\xFF\xD8\xFF")) return "JPEG";
    if (head.startsWith("\x89PNG")) return "PNG";
    if (head.startsWith("BM")) return "BMP";
    if (head.startsWith("GIF8")) return "GIF";
    const QString suffix = QFileInfo(file).suffix().toUpper();
    return suffix.isEmpty() ? QString("unknown") : suffix;
}

} // namespace

QImage LoadPicture(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw IoError(file.toStdString(), "Cannot open the picture", f.errorString().toStdString());
    const QByteArray bytes = f.readAll();
    const QString format = formatName(bytes.left(64), file);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    if (LooksLikeJpeg({data, static_cast<size_t>(bytes.size())})) {
        try {
            QImage image = FromRgb(DecodeJpeg({data, static_cast<size_t>(bytes.size())}));
            // libjpeg-turbo gives the stored orientation; EXIF may say it is turned.
            const QImageIOHandler::Transformations t = QImageReader(file).transformation();
            if (t == QImageIOHandler::TransformationRotate270) return image.transformed(QTransform().rotate(270));
            image = image.mirrored(t & QImageIOHandler::TransformationMirror, t & QImageIOHandler::TransformationFlip);
            if (t & QImageIOHandler::TransformationRotate90) image = image.transformed(QTransform().rotate(90));
            return image;
        } catch (const FormatError&) {
            // Colour spaces libjpeg-turbo gives no RGB for (CMYK, YCCK) go to Qt's reader.
        }
    }
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        if (reader.error() == QImageReader::UnsupportedFormatError)
            throw Error(QString("The picture \"%1\" is in %2 format, which is not supported.")
                            .arg(QFileInfo(file).fileName(), format)
                            .toStdString());
        throw FormatError(QString("The %2 picture \"%1\" is damaged: %3")
                              .arg(QFileInfo(file).fileName(), format, reader.errorString())
                              .toStdString());
    }
    return image;
}

RgbImage ToRgb(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, image);
    }
    RgbImage out{flat.width(), flat.height(), {}};
    out.Rgb.resize(static_cast<size_t>(out.Width) * out.Height * 3);
    for (int y = 0; y < out.Height; ++y)
        std::memcpy(out.Rgb.data() + static_cast<size_t>(y) * out.Width * 3, flat.constScanLine(y),
                    static_cast<size_t>(out.Width) * 3);
    return out;
}

QImage FromRgb(const RgbImage& rgb) {
    QImage image(rgb.Width, rgb.Height, QImage::Format_RGB888);
    for (int y = 0; y < rgb.Height; ++y)
        std::memcpy(image.scanLine(y), rgb.Rgb.data() + static_cast<size_t>(y) * rgb.Width * 3,
                    static_cast<size_t>(rgb.Width) * 3);
    return image;
}

} // namespace lc::ui
