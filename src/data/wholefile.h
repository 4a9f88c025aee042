#pragma once

#include <QByteArray>
#include <QString>

namespace zarfan {

// Writes the bytes whole or not at all: a failure (a full disk, a folder
// not writable) leaves an earlier file of that name as it was and says why.
// Only a regular file is written over: a FIFO or a device is refused.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace zarfan
