#include "connectionstring.h"

#include <QStringList>

namespace zarfan {

QString buildConnectionString(const QString &appFolder)
{
    return QString::fromUtf16(kConnectionHead) + appFolder + QString::fromUtf16(kConnectionTail);
}

ConnectionTarget parseConnectionString(const QString &connection)
{
    ConnectionTarget target;
    // The program's own strings are read by their fixed pieces, so that a
    // folder name may hold any character, a ';' or '=' too.
    const QStringView head(kConnectionHead), tail(kConnectionTail);
    if (connection.startsWith(head) && connection.endsWith(tail) && connection.size() > head.size() + tail.size()) {
        const qsizetype folderEnd = connection.size() - tail.size();
        target.path = connection.mid(head.size(), folderEnd - head.size()) + QStringLiteral("/zarfan.zf");
        target.password = QStringLiteral("kelbo7301946");
        target.valid = true;
        return target;
    }
    const QStringList parts = connection.split(u';');
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed();
        const QString value = part.mid(eq + 1).trimmed();
        if (key.compare(u"Data Source", Qt::CaseInsensitive) == 0) {
            target.path = value;
            target.valid = !value.isEmpty();
        } else if (key.compare(u"Jet OLEDB:Database Password", Qt::CaseInsensitive) == 0) {
            target.password = value;
        }
    }
    return target;
}

} // namespace zarfan
