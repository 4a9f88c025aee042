#pragma once

// What the search tests share: the folded text, word keys and vocabulary of
// the real database, and the rows a search gives by the memory or by the
// statement.
#include "browse/resultlisting.h"
#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "search/foldedtext.h"
#include "search/memorysearch.h"
#include "search/searchquery.h"
#include "search/searchstatement.h"
#include "search/vocabulary.h"
#include "search/wordkeyindex.h"
#include "search/wordpostings.h"
#include "state/listingfill.h"
#include "testutil.h"

#include <QSet>
#include <QtTest>
#include <optional>

namespace forgiving {
using namespace zarfan;

inline SearchOptions defaultMode(int type = 0, bool single = false) { return SearchOptions{.searchtype = type, .singleWord = single}; }

struct Fixture {
    DataControl dc;
    FoldedText folded;
    WordKeyIndex keys;
    Vocabulary words;
    std::optional<FoldedText> withIndex;

    // "ID:hits" of each row, by the memory or by the statement.
    QStringList fromMemory(const QString &text, const SearchOptions &o, const FoldedText *over = nullptr)
    {
        const FoldedText &searched = over ? *over : folded;
        const SearchAnswer a = answerFromMemory(text, o, searched, &keys);
        QStringList out;
        for (const ResultRecord &r : a.records(searched))
            out.append(r.id + u':' + QString::number(r.hits));
        return out;
    }
    QStringList fromStatement(const QString &text, const SearchOptions &o)
    {
        dc.setRecordSource(buildSearchStatement(text, o));
        ResultListing listing;
        EventYield yield(1 << 20);
        const SearchMatch match{searchedText(text, o), o.singleWord, o.literal, o.target, o.key};
        WordsByAya byKey;
        if (o.key != WordKey::Letters) {
            DataControl wordRows;
            wordRows.setConnectionString(dc.connectionString());
            wordRows.setRecordSource(wordsQuery(match.needle, o.key, false));
            for (const QString &id : testutil::walk(wordRows, {u"ID"_qs})) {
                QList<int> &list = byKey[ayaOfWordRow(id.toLongLong())];
                if (!list.contains(wordOfWordRow(id.toLongLong())))
                    list.append(wordOfWordRow(id.toLongLong()));
            }
        }
        fillListing(dc, listing, yield, o.key == WordKey::Letters ? &match : nullptr, o.key == WordKey::Letters ? nullptr : &byKey);
        QStringList out;
        for (int k = 0; k < listing.count(); ++k)
            out.append(listing.at(k).id + u':' + QString::number(listing.at(k).hits));
        return out;
    }
    // The folded text with its word index, as the program holds it.
    const FoldedText &indexed()
    {
        if (!withIndex) {
            QStringList texts;
            for (int k = 0; k < folded.size(); ++k)
                texts.append(folded.padded(k));
            withIndex = folded;
            withIndex->setPostings(WordPostings::build(texts));
        }
        return *withIndex;
    }
    QSet<QString> ids(const QString &text, const SearchOptions &o = defaultMode())
    {
        QSet<QString> out;
        for (const QString &row : fromMemory(text, o))
            out.insert(row.section(u':', 0, 0));
        return out;
    }

    void loadData()
    {
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        QVERIFY(folded.load(dc));
        QVERIFY(keys.load(dc));
        words = Vocabulary(folded.wordCounts());
    }
};
} // namespace forgiving
