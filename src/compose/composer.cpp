#include "composer.h"

#include "data/datacontrol.h"
#include "data/queries.h"

namespace zarfan {

QString Composer::textColumn(bool withoutDiacritics)
{
    return withoutDiacritics ? QStringLiteral("ayaaIndex") : QStringLiteral("ayaa");
}

QString Composer::sura(DataControl &control, qint16 sura, bool withoutDiacritics, const Yield &yield, const After &after)
{
    QString text;
    control.setRecordSource(query::sura(QString::number(sura)));
    control.refresh();
    const int column = control.column(textColumn(withoutDiacritics));
    qint16 i = 0;
    while (!control.eof()) {
        ++i;
        text += control.field(column).trimmed() + QStringLiteral(" (") + QString::number(i) + QStringLiteral(") ");
        if (const QString follows = after ? after(control.field(u"ID").toInt()) : QString(); !follows.isEmpty())
            text += QStringLiteral("\r\n") + follows + QStringLiteral("\r\n\r\n");
        control.moveNext();
        if (yield && !yield())
            break;
    }
    return text;
}

QString Composer::chosen(DataControl &control, const QStringList &ids, const QStringList &lines,
                         bool withoutDiacritics, const Yield &yield, const After &after)
{
    QString text;
    const QString column = textColumn(withoutDiacritics);
    const qsizetype count = std::min(ids.size(), lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        control.setRecordSource(query::ayaById(ids.at(i)));
        control.refresh();
        text += control.field(column).trimmed() + QStringLiteral(" [") + lines.at(i) + QStringLiteral("]\r\n");
        if (const QString follows = after ? after(ids.at(i).toInt()) : QString(); !follows.isEmpty())
            text += follows + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
        if (yield && !yield())
            break;
    }
    return text;
}

} // namespace zarfan
