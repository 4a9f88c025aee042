#include "wordkeyindex.h"

#include "data/datacontrol.h"

#include <algorithm>

namespace zarfan {

bool WordKeyIndex::load(DataControl &control)
{
    roots_.clear();
    lemmas_.clear();
    writtenRoots_.clear();
    writtenLemmas_.clear();
    control.setRecordSource(QStringLiteral("SELECT ID, rootFolded, lemmaFolded, root, lemma FROM Words"));
    loaded_ = control.refresh();
    for (; loaded_ && !control.eof(); control.moveNext()) {
        const qint64 id = control.field(0).toLongLong();
        const QString root = control.field(1), lemma = control.field(2);
        if (!root.isEmpty()) {
            roots_[root].push_back(id);
            if (!writtenRoots_.contains(root))
                writtenRoots_.insert(root, control.field(3));
        }
        if (!lemma.isEmpty()) {
            lemmas_[lemma].push_back(id);
            // A word of several parts writes them "part|part": only a
            // lemma of one part names the key.
            if (const QString written = control.field(4); !written.contains(u'|') && !writtenLemmas_.contains(lemma))
                writtenLemmas_.insert(lemma, written);
        }
    }
    for (auto *keys : {&roots_, &lemmas_})
        for (std::vector<qint64> &ids : *keys)
            std::sort(ids.begin(), ids.end());
    return loaded_;
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
