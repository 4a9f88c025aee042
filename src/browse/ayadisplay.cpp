#include "ayadisplay.h"

#include "data/datacontrol.h"
#include "data/queries.h"
#include "resultlisting.h"
#include "suratables.h"


namespace zarfan {

QString tafsirColumnName(TafsirColumn column)
{
    return column == TafsirColumn::Jalalayn ? QStringLiteral("taf") : QStringLiteral("taf2");
}

AyaView displayLine(DataControl &display, const ResultListing &listing, int k, bool withoutDiacritics)
{
    AyaView view;
    if (!listing.isValidLine(k))
        return view;
    const ResultRecord &record = listing.at(k);
    display.setRecordSource(query::ayaById(record.id));
    display.refresh();
    const QString aya = display.field(withoutDiacritics ? u"AyaaIndex" : u"Ayaa").trimmed();
    view.text = (aya + QStringLiteral(" [") + record.line + u']').trimmed();
    view.ayaLength = aya.size();

    const int sura = SuraTables::numberFromText(record.sura);
    view.type = SuraTables::type(sura);
    view.ayaCount = sura ? QString::number(SuraTables::ayaCount(sura)) : QString();
    view.juz = record.juz;
    view.page = record.page;
    return view;
}

QString AyaView::shownText() const
{
    // The blank before the opening bracket may still break.
    const qsizetype bracket = text.indexOf(u'[', ayaLength);
    if (bracket < 0)
        return text;
    QString shown = text;
    for (qsizetype k = bracket; k < shown.size(); ++k) {
        if (shown.at(k) == u' ')
            shown[k] = QChar::Nbsp;
    }
    return shown;
}

QString tafsirText(const DataControl &display, TafsirColumn column)
{
    return display.field(tafsirColumnName(column));
}

} // namespace zarfan
