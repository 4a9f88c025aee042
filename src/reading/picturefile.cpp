#include "picturefile.h"

#include "data/wholefile.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace zarfan {

bool writePictureFile(const QImage &image, const QString &path, QString *error)
{
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImageWriter writer(&png, "png");
    // For PNG the quality sets zlib's level: 80 is level 1.
    writer.setQuality(80);
    if (image.isNull() || !writer.write(image)) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    return writeWholeFile(path, png.data(), error);
}

} // namespace zarfan
