// The searches from the texts held in memory, beside the statements they
// replace, and the engine alone at its limit.
#include "bench.h"

#include "search/preparedindex.h"
#include "search/wordpostings.h"

#include <tuple>

void Bench::memoryRows()
{
    std::printf("database file: %lld bytes\n", QFileInfo(folder + u"/zarfan.zf"_qs).size());
    // The searches above went through the texts held in memory, as the
    // program's do: here beside the statement path they replace, from the
    // request to line 0 displayed.
    {
        Row load{u"load the folded texts and their word index (the keys and vocabularies on first use)"_qs};
        load.ms = timeMs([&] { requireRows(SearchMemory().load(w.state().connectionString()) ? 1 : 0, u"search memory"_qs); }, 3);
        rows.push_back(load);
        // Where that time goes: each piece once, after the key is derived,
        // which the program's start pays once as well.
        closeSharedConnections();
        DataControl control;
        control.setConnectionString(w.state().connectionString());
        {
            Row key{u"load, the database opened and keyed (once)"_qs};
            QElapsedTimer t;
            t.start();
            control.setRecordSource(u"SELECT count(*) FROM SearchIndex"_qs);
            requireRows(control.refresh() ? control.field(0).toInt() : 0, key.name);
            key.ms = double(t.nsecsElapsed()) / 1e6;
            rows.push_back(key);
        }
        FoldedText text;
        WordKeyIndex keys;
        const auto piece = [&](const QString &name, const std::function<bool()> &f) {
            Row r{u"load, "_qs + name + u" (once)"_qs};
            r.ms = timeMs([&] { requireRows(f() ? 1 : 0, r.name); }, 1);
            rows.push_back(r);
        };
        piece(u"the folded texts"_qs, [&] { return text.load(control); });
        piece(u"the word keys from the word table's rows"_qs, [&] { return keys.loadRows(control); });
        piece(u"the word keys as prepared"_qs, [&] { return keys.load(control); });
        piece(u"the vocabularies"_qs, [&] {
            const std::optional<QByteArray> bytes = readPreparedIndex(control, u"words"_qs);
            std::optional<PreparedWords> words = bytes ? PreparedWords::fromBytes(*bytes) : std::nullopt;
            if (!words)
                return false;
            const Vocabulary all(std::move(words->counts)), roots(keys.keyCounts(WordKey::Root)), lemmas(keys.keyCounts(WordKey::Lemma));
            return all.size() > 0 && roots.size() > 0 && lemmas.size() > 0;
        });
    }
    memory.load(w.state().connectionString());
    const auto memoryRow = [&](const QString &name, const QString &text, bool single, WordKey key = WordKey::Letters) {
        SearchOptions o;
        o.singleWord = single;
        o.key = key;
        const auto run = [&] {
            const SearchAnswer answer = memory.answer(text, o);
            w.state().produceListing(memory.request(answer, text, o));
        };
        run();
        requireRows(w.listing().count(), text);
        Row r{name + u" from memory"_qs};
        r.ms = timeMs(run);
        if (!text.contains(u" + "_qs) && !text.contains(u" - "_qs) && !text.contains(u" | "_qs))
            r.raw = rawMs(folder, buildSearchStatement(text, o));
        rows.push_back(r);
        return r.ms;
    };
    const auto statementRow = [&](const QString &name, const QString &text, bool single) {
        SearchOptions o;
        o.singleWord = single;
        const ReadingState::Request request = *wordSearchRequest(text, o, std::nullopt);
        w.state().produceListing(request);
        requireRows(w.listing().count(), text);
        Row r{name + u" by the statement"_qs};
        r.ms = timeMs([&] { w.state().produceListing(request); });
        r.raw = rawMs(folder, request.statement);
        rows.push_back(r);
        return r.ms;
    };
    for (const auto &[text, single] : {std::pair{u"الله"_qs, false}, std::pair{u"الله"_qs, true}, std::pair{u"امنوا"_qs, false},
                                       std::pair{u"ا"_qs, false}, std::pair{u"الصمد"_qs, false}, std::pair{u"امن"_qs, false}}) {
        const QString name = QStringLiteral("search \"%1\"%2").arg(text, single ? u" single word"_qs : QString());
        const double today = statementRow(name, text, single);
        const double now = memoryRow(name, text, single);
        std::printf("memory / statement for \"%s\"%s: %.2fx\n", qPrintable(text), single ? " (single word)" : "", now / today);
    }
    memoryRow(u"search the root \"أمن\""_qs, u"أمن"_qs, false, WordKey::Root);
    memoryRow(u"search the lemma \"كتاب\""_qs, u"كتاب"_qs, false, WordKey::Lemma);
    {
        Row all{u"listing of all 6236 ayas from memory"_qs};
        SearchAnswer every;
        for (int k = 0; k < memory.text().size(); ++k) {
            every.rows.push_back(k);
            every.hits.push_back(0);
        }
        const auto run = [&] {
            ReadingState::Request request(QString(), qint16(1), ReadingState::Guard::AlsoFullsearch);
            request.records = std::make_shared<const std::vector<ResultRecord>>(every.records(memory.text()));
            w.state().produceListing(request);
        };
        run();
        requireRows(w.listing().count() == 6236 ? 1 : 0, all.name);
        all.ms = timeMs(run);
        all.raw = rawMs(folder, u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '% %'order by ID"_qs);
        rows.push_back(all);
    }
    {
        const double slowest = std::max({memoryRow(u"term \"الله\""_qs, u"الله"_qs, false), memoryRow(u"term \"الصلاه\""_qs, u"الصلاه"_qs, false),
                                         memoryRow(u"term \"الزكاه\""_qs, u"الزكاه"_qs, false)});
        const double three = memoryRow(u"search \"الله + الصلاه | الزكاه\""_qs, u"الله + الصلاه | الزكاه"_qs, false);
        std::printf("three terms / slowest term alone: %.2fx\n", three / slowest);
    }
    {
        const QString word = u"الصابرين"_qs;
        Row r{u"completion offers, per keystroke of \"الصابرين\""_qs};
        const QStringList history = w.state().searchHistory();
        r.ms = timeMs([&] {
            for (qsizetype n = 1; n <= word.size(); ++n)
                requireRows(int(completionOffers(word.left(n), history, memory.words()).size()) + (n == word.size() ? 1 : 0), word.left(n));
        }) / double(word.size());
        rows.push_back(r);
        for (const QString &typo : {u"الصابرن"_qs, u"يا ايهي الذين"_qs, u"يا ايهي الذبن امنوا اتقوا الله"_qs,
                                    u"وتواصو بالحقق وتواصوا بالصبرر"_qs, u"الصبر + الصلاث | الزكاث"_qs}) {
            Row near{QStringLiteral("did you mean, for \"%1\"").arg(typo)};
            near.ms = timeMs([&] { requireRows(int(memory.didYouMean(typo, SearchOptions()).size()), typo); });
            rows.push_back(near);
        }
        // The worst inputs: a pasted text of 5,000 words, and many terms.
        QStringList pasted;
        for (int k = 0; k < 5000; ++k)
            pasted.append(k % 7 ? u"الصابرن"_qs : u"والذبن"_qs);
        QStringList terms;
        for (int k = 0; k < 60; ++k)
            terms.append(k % 2 ? u"الصلاث"_qs : u"الزكاث"_qs);
        for (const auto &[what, text] : {std::pair{u"a pasted text of 5,000 words"_qs, pasted.join(u' ')},
                                         std::pair{u"60 terms joined by |"_qs, terms.join(u" | "_qs)}}) {
            Row near{u"did you mean, for "_qs + what};
            near.ms = timeMs([&] { (void)memory.didYouMean(text, SearchOptions()); });
            rows.push_back(near);
        }
    }
    // The engine at its limit: every mode and scope from memory, the
    // request alone (no listing), as the search box's answer starts.
    {
        const auto answerRow = [&](const QString &name, const QString &text, SearchOptions o) {
            requireRows(int(memory.answer(text, o).rows.size()), name);
            Row r{name + u" (answer from memory)"_qs};
            r.ms = timeMs([&] { (void)memory.answer(text, o); });
            rows.push_back(r);
            return r.ms;
        };
        SearchOptions o, single, pages, jalalayn, muyassar, ranked, root;
        single.singleWord = true;
        pages.searchtype = 6, pages.page1 = 100, pages.page2 = 300;
        jalalayn.target = SearchTarget::Jalalayn;
        muyassar.target = SearchTarget::Muyassar;
        ranked.byRelevance = true;
        root.key = WordKey::Root;
        // The first tafsir search reads the tafsirs: timed on its own.
        {
            Row first{u"first tafsir search, the tafsirs read (once)"_qs};
            SearchMemory fresh;
            fresh.load(w.state().connectionString());
            QElapsedTimer t;
            t.start();
            requireRows(int(fresh.answer(u"الله"_qs, jalalayn).rows.size()), first.name);
            first.ms = double(t.nsecsElapsed()) / 1e6;
            rows.push_back(first);
        }
        const double unscoped = answerRow(u"\"الله\""_qs, u"الله"_qs, o);
        const double scoped = answerRow(u"\"الله\" in pages 100-300"_qs, u"الله"_qs, pages);
        std::printf("scoped / whole for \"الله\": %.2fx\n", scoped / unscoped);
        const double godRanked = answerRow(u"\"الله\" by relevance"_qs, u"الله"_qs, ranked);
        std::printf("by relevance / mushaf order for \"الله\": %.2fx\n", godRanked / unscoped);
        const double mushaf = answerRow(u"\"ا\""_qs, u"ا"_qs, o);
        const double relevance = answerRow(u"\"ا\" by relevance"_qs, u"ا"_qs, ranked);
        std::printf("by relevance / mushaf order for \"ا\": %.2fx\n", relevance / mushaf);
        // Whole words by the word index, against the scan of the text.
        {
            FoldedText scanned = memory.text();
            scanned.setPostings(WordPostings());
            SearchOptions singlePages = pages;
            singlePages.singleWord = true;
            for (const auto &[name, text, options] :
                 {std::tuple(u"\"الله\" single word"_qs, u"الله"_qs, single),
                  std::tuple(u"\"الله\" single word in pages 100-300"_qs, u"الله"_qs, singlePages),
                  std::tuple(u"\"يا ايها الذين امنوا\" single word"_qs, u"يا ايها الذين امنوا"_qs, single),
                  std::tuple(u"\"الصبر + الصلاه | الزكاه\" single word"_qs, u"الصبر + الصلاه | الزكاه"_qs, single)}) {
                const double indexed = answerRow(name, text, options);
                requireRows(int(answerFromMemory(text, options, scanned, &memory.keys()).rows.size()), name);
                Row r{name + u" (the scan, no word index)"_qs};
                r.ms = timeMs([&] { (void)answerFromMemory(text, options, scanned, &memory.keys()); });
                rows.push_back(r);
                std::printf("word index / scan for %s: %.2fx\n", qPrintable(name), indexed / r.ms);
            }
            Row build{u"build the word index from the folded texts"_qs};
            build.ms = timeMs([&] {
                QStringList texts;
                for (int k = 0; k < memory.text().size(); ++k)
                    texts.append(memory.text().padded(k));
                requireRows(WordPostings::build(texts).isBuilt(), build.name);
            });
            rows.push_back(build);
            Row read{u"read and check the prepared word index"_qs};
            DataControl control; // keyed once, as the start keys it
            control.setConnectionString(w.state().connectionString());
            requireRows(control.open() ? 1 : 0, read.name);
            read.ms = timeMs([&] {
                const std::optional<QByteArray> bytes = readPreparedIndex(control, u"postings"_qs);
                const std::optional<WordPostings> p = bytes ? WordPostings::fromBytes(*bytes) : std::nullopt;
                requireRows(p && p->madeFrom() == memory.text().fingerprint(), read.name);
            });
            rows.push_back(read);
        }
        answerRow(u"\"قال%موسى\" single word"_qs, u"قال%موسى"_qs, single);
        answerRow(u"\"موسى | هارون\" in pages 100-300"_qs, u"موسى | هارون"_qs, pages);
        answerRow(u"root \"أمن\""_qs, u"أمن"_qs, root);
        answerRow(u"\"الله\" in تفسير الجلالين"_qs, u"الله"_qs, jalalayn);
        answerRow(u"\"الله\" in التفسير الميسر"_qs, u"الله"_qs, muyassar);
        answerRow(u"\"ا\" in التفسير الميسر"_qs, u"ا"_qs, muyassar);
    }
}
