#include "preparedindex.h"

#include "data/datacontrol.h"
#include "occurrences.h"

#include <algorithm>
#include <QtDebug>

namespace zarfan {

qint64 preparedChecksum(const QByteArray &data)
{
    quint64 h = kFnvBasis;
    for (const char c : data) {
        h ^= quint8(c);
        h *= kFnvPrime;
    }
    return qint64(h);
}

PreparedWords PreparedWords::compute(const QStringList &writtenAyas)
{
    QHash<QString, int> counts;
    QHash<QString, QHash<QString, int>> seen;
    counts.reserve(20000);
    for (const QString &aya : writtenAyas) {
        const WordMap map = mapWords(aya, WordForm::Folded);
        const QStringList words = map.padded.split(u' ', Qt::SkipEmptyParts);
        for (qsizetype k = 0; k < words.size() && k < map.display.size(); ++k) {
            ++counts[words.at(k)];
            const TextRange r = map.display.at(k);
            ++seen[words.at(k)][aya.mid(r.start, r.length)];
        }
    }
    PreparedWords out;
    out.counts.reserve(std::size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out.counts.emplace_back(it.key(), it.value());
    std::sort(out.counts.begin(), out.counts.end());
    out.written.reserve(seen.size());
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        QString best;
        int most = 0;
        for (auto f = it->cbegin(); f != it->cend(); ++f)
            if (f.value() > most || (f.value() == most && f.key() < best))
                best = f.key(), most = f.value();
        // A word written as it folds needs no entry.
        if (best != it.key())
            out.written.insert(it.key(), best);
    }
    return out;
}

QByteArray PreparedWords::toBytes() const
{
    // A line a word, "word<TAB>count[<TAB>written]", in UTF-8: the written
    // form only where it differs from the word.
    QByteArray bytes;
    bytes.reserve(qsizetype(counts.size()) * 24);
    for (const auto &[word, count] : counts) {
        bytes += word.toUtf8() + '\t' + QByteArray::number(count);
        if (const QString shown = written.value(word, word); shown != word)
            bytes += '\t' + shown.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

std::optional<PreparedWords> PreparedWords::fromBytes(const QByteArray &bytes)
{
    PreparedWords words;
    words.counts.reserve(std::size_t(bytes.count('\n')));
    const QByteArrayView all(bytes);
    for (qsizetype at = 0, end = 0; at < all.size(); at = end + 1) {
        end = all.indexOf('\n', at);
        if (end < 0)
            return std::nullopt; // every line ends: a cut index is no index
        const QByteArrayView line = all.sliced(at, end - at);
        const qsizetype tab = line.indexOf('\t'), second = tab > 0 ? line.indexOf('\t', tab + 1) : -1;
        if (tab <= 0)
            return std::nullopt;
        bool ok = false;
        const int count = line.sliced(tab + 1, (second < 0 ? line.size() : second) - tab - 1).toInt(&ok);
        if (!ok)
            return std::nullopt;
        QString word = QString::fromUtf8(line.first(tab));
        if (second > 0)
            words.written.insert(word, QString::fromUtf8(line.sliced(second + 1)));
        words.counts.emplace_back(std::move(word), count);
    }
    return words;
}

std::optional<QByteArray> readPreparedIndex(DataControl &control, const QString &name)
{
    const auto notRead = [&](const char *why) {
        qWarning("zarfan: the prepared search index \"%s\" is %s; it is built in memory instead", qPrintable(name), why);
        return std::nullopt;
    };
    // Asked of the schema first: a database without the table is older, not broken.
    control.setRecordSource(QStringLiteral("SELECT count(*) FROM sqlite_master where name = 'SearchIndex'"));
    if (!control.refresh() || control.eof() || control.field(0).toInt() != 1)
        return notRead("missing");
    control.setRecordSource(QStringLiteral("SELECT version, checksum, data FROM SearchIndex where name = '%1'").arg(name));
    if (!control.refresh() || control.eof())
        return notRead("missing");
    if (control.field(0).toInt() != kPreparedIndexVersion)
        return notRead("of another version");
    const std::string_view bytes = control.fieldBytes(2);
    QByteArray data(bytes.data(), qsizetype(bytes.size()));
    if (preparedChecksum(data) != control.field(1).toLongLong())
        return notRead("damaged");
    return data;
}

} // namespace zarfan
