#include "composer.h"

#include "data/datacontrol.h"
#include "data/queries.h"

namespace zarfan {

QString Composer::textColumn(bool withoutDiacritics)
{
    return withoutDiacritics ? QStringLiteral("ayaaIndex") : QStringLiteral("ayaa");
}

QString Composer::sura(DataControl &control, qint16 sura, bool withoutDiacritics, const Yield &yield)
{
    QString text;
    control.setRecordSource(query::sura(QString::number(sura)));
    control.refresh();
    const int column = control.column(textColumn(withoutDiacritics));
    qint16 i = 0;
    while (!control.eof()) {
        ++i;
        text += control.field(column).trimmed() + QStringLiteral(" (") + QString::number(i) + QStringLiteral(") ");
        control.moveNext();
        if (yield && !yield())
            break;
    }
    return text;
}

QString Composer::chosen(DataControl &control, const QStringList &ids, const QStringList &lines,
                         bool withoutDiacritics, const Yield &yield)
{
    QString text;
    const QString column = textColumn(withoutDiacritics);
    const qsizetype count = std::min(ids.size(), lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        control.setRecordSource(query::ayaById(ids.at(i)));
        control.refresh();
        text += control.field(column).trimmed() + QStringLiteral(" [") + lines.at(i) + QStringLiteral("]\r\n\r\n");
        if (yield && !yield())
            break;
    }
    return text;
}

} // namespace zarfan
