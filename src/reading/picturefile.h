#pragma once

#include <QString>

class QImage;

namespace zarfan {

// Writes image as a PNG to path, whole or not at all (never into a FIFO);
// false with the reason in error when it could not.
bool writePictureFile(const QImage &image, const QString &path, QString *error = nullptr);

} // namespace zarfan
