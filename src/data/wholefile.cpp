#include "wholefile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

namespace zarfan {

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QCoreApplication::translate("WholeFile", "ليس ملفًا عاديًا؛ اختر اسم ملف"));
    QSaveFile file(path);
    // Unbuffered, so that every failed write is seen here: a failed flush
    // would still let the file be renamed into place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString why = file.errorString();
            file.cancelWriting();
            return fail(why);
        }
        done += n;
    }
    if (file.error() != QFileDevice::NoError || file.size() != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace zarfan
