#include "wordkeyindex.h"

#include "data/datacontrol.h"
#include "preparedbytes.h"
#include "preparedindex.h"

#include <QStringList>
#include <QtDebug>
#include <algorithm>

namespace zarfan {

bool WordKeyIndex::load(DataControl &control)
{
    if (const std::optional<QByteArray> bytes = readPreparedIndex(control, QStringLiteral("keys"))) {
        if (std::optional<WordKeyIndex> prepared = fromBytes(*bytes)) {
            *this = std::move(*prepared);
            return true;
        }
        qWarning("zarfan: the prepared search index \"keys\" does not read whole; it is built in memory instead");
    }
    return loadRows(control);
}

bool WordKeyIndex::loadRows(DataControl &control)
{
    *this = WordKeyIndex();
    control.setRecordSource(QString::fromLatin1(kRowsStatement));
    if (!control.refresh())
        return false;
    for (; !control.eof(); control.moveNext())
        addRow(control.field(0).toLongLong(), control.field(1), control.field(2), control.field(3), control.field(4));
    finishRows();
    return true;
}

void WordKeyIndex::addRow(qint64 id, const QString &root, const QString &lemma, const QString &writtenRoot, const QString &writtenLemma)
{
    if (!root.isEmpty()) {
        roots_[root].push_back(id);
        if (!writtenRoots_.contains(root))
            writtenRoots_.insert(root, writtenRoot);
    }
    if (!lemma.isEmpty()) {
        lemmas_[lemma].push_back(id);
        // A word of several parts writes them "part|part": only a lemma of
        // one part names the key.
        if (!writtenLemma.contains(u'|') && !writtenLemmas_.contains(lemma))
            writtenLemmas_.insert(lemma, writtenLemma);
    }
}

void WordKeyIndex::finishRows()
{
    for (auto *keys : {&roots_, &lemmas_})
        for (std::vector<qint64> &ids : *keys)
            std::sort(ids.begin(), ids.end());
    loaded_ = true;
}

QByteArray WordKeyIndex::toBytes() const
{
    // Per map: its keys in order, each one's number of rows, then every
    // row's ID (an aya's number times a thousand: 32 bits are ample); then
    // the written forms.
    PreparedWriter out;
    for (const auto *keys : {&roots_, &lemmas_}) {
        QStringList names = keys->keys();
        names.sort();
        std::vector<quint32> counts, ids;
        out.number(quint32(names.size()));
        for (const QString &name : names) {
            out.text(name);
            const std::vector<qint64> &rows = keys->value(name);
            counts.push_back(quint32(rows.size()));
            for (const qint64 id : rows)
                ids.push_back(quint32(id));
        }
        out.array(counts);
        out.array(ids);
    }
    for (const auto *written : {&writtenRoots_, &writtenLemmas_}) {
        QStringList names = written->keys();
        names.sort();
        out.number(quint32(names.size()));
        for (const QString &name : names) {
            out.text(name);
            out.text(written->value(name));
        }
    }
    return out.bytes;
}

std::optional<WordKeyIndex> WordKeyIndex::fromBytes(const QByteArray &bytes)
{
    WordKeyIndex index;
    PreparedReader in(bytes);
    for (auto *keys : {&index.roots_, &index.lemmas_}) {
        const quint32 n = in.number();
        if (!in.ok() || n > quint32(bytes.size()))
            return std::nullopt;
        QStringList keyNames;
        keyNames.reserve(n);
        for (quint32 k = 0; k < n && in.ok(); ++k)
            keyNames.append(in.text());
        const std::vector<quint32> counts = in.array<quint32>(), ids = in.array<quint32>();
        if (!in.ok() || counts.size() != std::size_t(n))
            return std::nullopt;
        keys->reserve(qsizetype(n));
        std::size_t at = 0;
        for (quint32 k = 0; k < n; ++k) {
            if (counts[k] > ids.size() - at)
                return std::nullopt;
            keys->insert(keyNames.at(k), std::vector<qint64>(ids.begin() + qsizetype(at), ids.begin() + qsizetype(at + counts[k])));
            at += counts[k];
        }
        if (at != ids.size())
            return std::nullopt;
    }
    for (auto *written : {&index.writtenRoots_, &index.writtenLemmas_}) {
        const quint32 n = in.number();
        if (!in.ok() || n > quint32(bytes.size()))
            return std::nullopt;
        written->reserve(qsizetype(n));
        for (quint32 k = 0; k < n && in.ok(); ++k) {
            QString name = in.text();
            written->insert(name, in.text());
        }
    }
    if (!in.done())
        return std::nullopt;
    index.loaded_ = true;
    return index;
}

WordsByAya WordKeyIndex::words(const QString &key, WordKey by) const
{
    WordsByAya out;
    const auto &keys = by == WordKey::Root ? roots_ : lemmas_;
    const auto it = keys.constFind(key);
    if (it == keys.cend())
        return out;
    // The IDs are sorted, so each aya's words come in order.
    for (const qint64 id : *it) {
        QList<int> &words = out[ayaOfWordRow(id)];
        if (words.isEmpty() || words.last() != wordOfWordRow(id))
            words.append(wordOfWordRow(id));
    }
    return out;
}

QString WordKeyIndex::written(const QString &key, WordKey by) const
{
    return (by == WordKey::Root ? writtenRoots_ : writtenLemmas_).value(key, key);
}

std::vector<std::pair<QString, int>> WordKeyIndex::keyCounts(WordKey by) const
{
    std::vector<std::pair<QString, int>> out;
    const auto &keys = by == WordKey::Root ? roots_ : lemmas_;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        // A word of several lemma parts has a row for each part.
        int words = 0;
        qint64 last = -1;
        for (const qint64 id : it.value()) {
            if (last < 0 || ayaOfWordRow(id) != ayaOfWordRow(last) || wordOfWordRow(id) != wordOfWordRow(last))
                ++words;
            last = id;
        }
        out.emplace_back(it.key(), words);
    }
    return out;
}

} // namespace zarfan
