#include "resultstextmodel.h"

#include "state/readingstate.h"
#include "data/datacontrol.h"
#include "search/matchmarks.h"

namespace zarfan {

ResultsTextModel::ResultsTextModel(ReadingState &state, QObject *parent) : QAbstractListModel(parent), state_(state)
{
    connect(&state_.listing(), &ResultListing::finished, this, &ResultsTextModel::refill);
    rows_ = state_.listing().count();
}

void ResultsTextModel::refill()
{
    beginResetModel();
    rows_ = state_.listing().count();
    endResetModel();
}

void ResultsTextModel::setMarkColours(const QString &background, const QString &foreground)
{
    markStyle_ = QStringLiteral("background-color:%1;color:%2;").arg(background, foreground);
}

int ResultsTextModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_; }

void ResultsTextModel::loadTexts() const
{
    if (!texts_.isEmpty())
        return;
    DataControl control;
    control.setConnectionString(state_.connectionString());
    control.setRecordSource(QStringLiteral("SELECT ID, Ayaa, AyaaIndex FROM Ayat order by ID"));
    control.refresh();
    texts_.reserve(control.rowCount());
    for (; !control.eof(); control.moveNext())
        texts_.insert(control.field(0).toInt(), {control.field(1).trimmed(), control.field(2).trimmed()});
}

QString ResultsTextModel::ayaText(int k) const
{
    if (k < 0 || k >= rows_ || !state_.listing().isValidLine(k))
        return {};
    loadTexts();
    const auto &texts = texts_.value(state_.listing().at(k).id.toInt());
    return state_.withoutDiacritics() ? texts.second : texts.first;
}

QList<TextRange> ResultsTextModel::marks(int k) const
{
    const auto &match = state_.listingMatch();
    if (!match || match->target != SearchTarget::Quran)
        return {};
    return matchMarks(match, ayaText(k), state_.matchedWords(state_.listing().at(k).id.toInt()), {}, TafsirColumn::Muyassar,
                      state_.listingTerms())
        .aya;
}

QVariant ResultsTextModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_ || !state_.listing().isValidLine(index.row()))
        return {};
    const int k = index.row();
    const QString line = state_.listing().at(k).line;
    if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
        return line + u' ' + ayaText(k);
    if (role == SelectedHtmlRole)
        return html(k, QStringLiteral("background-color:%1;color:%2;").arg(selectedMarkBackground(), selectedMarkForeground()));
    if (role != Qt::DisplayRole)
        return {};
    return html(k, markStyle_);
}

QString ResultsTextModel::html(int k, const QString &markStyle) const
{
    const QString text = ayaText(k);
    QString html = QStringLiteral("<b>") + state_.listing().at(k).line.toHtmlEscaped() + QStringLiteral("</b>&nbsp;&nbsp;");
    qsizetype at = 0;
    for (const TextRange &r : marks(k)) {
        if (r.start < at)
            continue;
        html += text.mid(at, r.start - at).toHtmlEscaped() + QStringLiteral("<span style=\"") + markStyle + QStringLiteral("\">")
            + text.mid(r.start, r.length).toHtmlEscaped() + QStringLiteral("</span>");
        at = r.start + r.length;
    }
    return html + text.mid(at).toHtmlEscaped();
}

QString ResultsTextModel::plainText(const QList<int> &lines) const
{
    QStringList out;
    for (const int k : lines)
        if (k >= 0 && k < rows_ && state_.listing().isValidLine(k))
            out.append(ayaText(k) + QStringLiteral(" [") + state_.listing().at(k).line + u']');
    return out.join(u'\n');
}

} // namespace zarfan
