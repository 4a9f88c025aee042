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
    if (!listing.isValidLine(k))
        return AyaView();
    return displayRecord(display, listing.at(k), withoutDiacritics);
}

AyaView displayRecord(DataControl &display, const ResultRecord &record, bool withoutDiacritics)
{
    AyaView view;
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

std::optional<ResultRecord> recordOfAya(DataControl &display, int id)
{
    display.setRecordSource(query::ayaById(QString::number(id)));
    if (!display.refresh() || display.eof())
        return std::nullopt;
    ResultRecord record;
    record.id = display.field(u"ID");
    record.sura = display.field(u"soraano");
    record.aya = display.field(u"ayaano");
    record.juz = display.field(u"chapterNO");
    record.page = display.field(u"pageno");
    const int sura = SuraTables::numberFromText(record.sura);
    if (sura == 0)
        return std::nullopt;
    record.line = SuraTables::reference(sura, record.aya);
    return record;
}

QString tafsirText(const DataControl &display, TafsirColumn column)
{
    return display.field(tafsirColumnName(column));
}

} // namespace zarfan
