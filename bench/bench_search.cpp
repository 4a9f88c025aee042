// Listings and word searches through the main window, from Enter to line 0
// displayed, each beside the raw statement.
#include "bench.h"

void Bench::fill(const QString &statement, qint16 mixed)
{
    w.state().produceListing({statement, mixed, ReadingState::Guard::AlsoFullsearch});
}

void Bench::listingRow(const QString &name, const QString &statement)
{
    Row r{name};
    fill(statement, 1);
    requireRows(w.listing().count(), statement);
    r.ms = timeMs([&] { fill(statement, 1); });
    r.raw = rawMs(folder, statement);
    // The literal fill: a yield after every row, on at most perRowLimit rows.
    EventYield::setDefaultInterval(0);
    r.perRow = timeMs([&] { fill(statement, 1); }, std::min(runs, 3));
    r.perRowCount = w.listing().count();
    EventYield::setDefaultInterval(EventYield::kDefaultIntervalMs);
    rows.push_back(r);
}

void Bench::setOption(const char *name, bool on)
{
    w.optionsWindow()->findChild<QWidget *>(QString::fromLatin1(name))->setProperty("checked", on);
}

double Bench::searchRow(const QString &name, const QString &text, bool single, bool literal, SearchTarget target, WordKey key)
{
    Row r{name};
    SearchOptions o;
    o.singleWord = single;
    o.literal = literal;
    o.target = target;
    o.key = key;
    w.state().setSearchTarget(target);
    const QString statement = buildSearchStatement(text, o);
    // The options window is read by the search: set its mode.
    setOption(key == WordKey::Root ? "rootsearch" : key == WordKey::Lemma ? "lemmasearch" : single ? "alone" : "withother", true);
    setOption("literalsearch", literal);
    r.ms = timeMs([&] {
        searcht->setText(text);
        w.runSearch();
    });
    requireRows(w.listing().count(), text);
    r.raw = rawMs(folder, statement);
    setOption("withother", true);
    setOption("literalsearch", false);
    w.state().setSearchTarget(SearchTarget::Quran);
    rows.push_back(r);
    return r.ms;
}

void Bench::searchRows()
{
    listingRow(u"navigator: sura 2 (286 lines)"_qs, query::suraOrdered(2));
    listingRow(u"navigator: juz 30 (564 lines)"_qs, query::juzOrdered(30));
    listingRow(u"listing of all 6236 ayas"_qs, u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '% %'order by ID"_qs);

    // Word search, from Enter to line 0 displayed.
    searchRow(u"search \"الله\" (substring)"_qs, u"الله"_qs, false);
    searchRow(u"search \"الله\" (single word)"_qs, u"الله"_qs, true);
    for (const TranslationBenchRow &t : translationRows(w, [](const std::function<void()> &f) { return timeMs(f); }))
        rows.push_back({t.name, t.ms, t.compared});
    // Folded spelling against the spelling as typed. No aya holds امنوا as
    // typed: its literal row searches the written آمنوا, which finds the same.
    struct Pair { const char16_t *folded, *literal, *what; };
    for (const Pair &p : {Pair{u"امنوا", u"آمنوا", u"hamza-less"}, Pair{u"ا", u"ا", u"every alef"},
                          Pair{u"الصمد", u"الصمد", u"one hit"}}) {
        const QString text = QString::fromUtf16(p.folded), written = QString::fromUtf16(p.literal);
        const double folded = searchRow(QStringLiteral("search \"%1\" folded (%2)").arg(text, QString::fromUtf16(p.what)), text, false);
        const double literal = searchRow(QStringLiteral("search \"%1\" literal").arg(written), written, false, true);
        std::printf("folded / literal for \"%s\": %.2fx\n", qPrintable(text), folded / literal);
    }
    // Marking and counting what a search matched, against the same listing
    // without them.
    for (const QString &text : {u"الله"_qs, u"ا"_qs}) {
        const double marked = searchRow(QStringLiteral("search \"%1\" with marks and counts").arg(text), text, false);
        Row plain{QStringLiteral("search \"%1\" without marks and counts").arg(text)};
        const QString statement = buildSearchStatement(text, SearchOptions());
        plain.ms = timeMs([&] { fill(statement, 1); });
        rows.push_back(plain);
        std::printf("marks and counts / without for \"%s\": %.2fx\n", qPrintable(text), marked / plain.ms);
    }
    {
        searcht->setText(u"ا"_qs);
        w.runSearch();
        DataControl dc;
        dc.setConnectionString(buildConnectionString(folder));
        dc.setRecordSource(buildSearchStatement(u"ا"_qs, SearchOptions()));
        dc.refresh();
        requireRows(dc.rowCount(), u"ا"_qs);
        const SearchMatch sought{u"ا"_qs};
        Row count{QStringLiteral("occurrences of \"ا\" over its %1 ayas").arg(dc.rowCount())};
        count.ms = timeMs([&] {
            dc.refresh();
            const int column = dc.column(u"AyaaFolded");
            int total = 0;
            for (; !dc.eof(); dc.moveNext())
                total += countOccurrences(dc.field(column), sought);
            requireRows(total, u"occurrences"_qs);
        });
        rows.push_back(count);
        Row open{u"open the distribution of \"ا\""_qs};
        open.ms = timeMs([&] {
            DistributionWindow window(w.state(), &w);
            window.show();
            requireRows(int(window.rows().size()), u"distribution"_qs);
        });
        rows.push_back(open);
        Row reference{u"reference \"2:255\" to line 0 displayed"_qs};
        reference.ms = timeMs([&] {
            searcht->setText(u"2:255"_qs);
            w.runSearch();
        });
        requireRows(w.listing().count(), u"2:255"_qs);
        rows.push_back(reference);
        for (const QString &text : {u"حزب 5"_qs, u"ربع 17"_qs, u"صفحة 40-42"_qs, u"منزل 7"_qs}) {
            Row division{QStringLiteral("division \"%1\" to line 0 displayed").arg(text)};
            division.ms = timeMs([&] {
                searcht->setText(text);
                w.runSearch();
            });
            requireRows(w.listing().count(), text);
            division.raw = rawMs(folder, parseDivisionReference(text).statement());
            rows.push_back(division);
        }
    }
    // Scoped searches against the whole-scripture "الله" rows above.
    {
        w.optionsWindow()->findChild<QComboBox *>(u"hizb"_qs)->setCurrentIndex(58);
        w.optionsWindow()->findChild<QSpinBox *>(u"page1"_qs)->setValue(100);
        w.optionsWindow()->findChild<QSpinBox *>(u"page2"_qs)->setValue(300);
        for (const auto &[code, name] : {std::pair{5, u"search \"الله\" in hizb 59"_qs}, std::pair{6, u"search \"الله\" in pages 100-300"_qs}}) {
            programState().searchtype = qint16(code);
            Row r{name};
            r.ms = timeMs([&] {
                searcht->setText(u"الله"_qs);
                w.runSearch();
            });
            requireRows(w.listing().count(), name);
            r.raw = rawMs(folder, buildSearchStatement(u"الله"_qs, w.state().searchOptions()));
            rows.push_back(r);
        }
        programState().searchtype = 0;
    }
    // Every default-mode search goes through memory, from Enter to line 0.
    {
        const auto boxRow = [&](const QString &name, const QString &text, int scope = 0) {
            programState().searchtype = qint16(scope);
            Row r{name};
            r.ms = timeMs([&] {
                searcht->setText(text);
                w.runSearch();
            });
            requireRows(w.listing().count(), name);
            programState().searchtype = 0;
            rows.push_back(r);
            return r.ms;
        };
        boxRow(u"search \"%\" (every aya, the box)"_qs, u"%"_qs);
        boxRow(u"search \"قال%موسى\" (wildcard, the box)"_qs, u"قال%موسى"_qs);
        boxRow(u"search \"موسى | هارون\" in pages 100-300 (the box)"_qs, u"موسى | هارون"_qs, 6);
        const double whole = boxRow(u"search \"الله\" (the box, mushaf order)"_qs, u"الله"_qs);
        auto *order = w.optionsWindow()->findChild<QComboBox *>(u"resultsorder"_qs);
        order->setCurrentIndex(1);
        const double ranked = boxRow(u"search \"الله\" (the box, by relevance)"_qs, u"الله"_qs);
        const double rankedAlef = boxRow(u"search \"ا\" (the box, by relevance)"_qs, u"ا"_qs);
        order->setCurrentIndex(0);
        const double alef = boxRow(u"search \"ا\" (the box, mushaf order)"_qs, u"ا"_qs);
        std::printf("relevance / mushaf order: \"الله\" %.2fx, \"ا\" %.2fx\n", ranked / whole, rankedAlef / alef);
        // The results window over every aya holding an alef.
        searcht->setText(u"ا"_qs);
        w.runSearch();
        const int alefRows = w.listing().count();
        Row open{QStringLiteral("open the results window over %1 ayas").arg(alefRows)};
        open.ms = timeMs([&] {
            ResultsTextWindow window(w.state(), &w);
            window.show();
            QCoreApplication::processEvents();
            requireRows(window.model()->rowCount(), open.name);
        });
        rows.push_back(open);
        {
            ResultsTextWindow window(w.state(), &w);
            window.show();
            QCoreApplication::processEvents();
            const double withWindow = boxRow(u"search \"ا\" with the results window open"_qs, u"ا"_qs);
            std::printf("results window open / closed: %.2fx\n", withWindow / alef);
        }
    }
    {
        // The longest plan: a portion a day for a year.
        w.state().khatma().start({KhatmaSchedule::By::Days, 365, 1, QDate::currentDate()}, QDate::currentDate());
        Row r{u"open the khatma window (365-day plan)"_qs};
        r.ms = timeMs([&] {
            KhatmaWindow window(w.state().khatma(), &w);
            window.show();
            QCoreApplication::processEvents();
        });
        w.state().khatma().end();
        rows.push_back(r);
    }
    {
        // A store holding a million finished khatmas: opening the window, then
        // a page turn of a running plan with the window open.
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        QByteArray lines;
        const QDate first(1900, 1, 1);
        for (int i = 0; i < 1000000; ++i)
            lines += (first.addDays(i % 40000).toString(Qt::ISODate) + u' ' + first.addDays(i % 40000 + 30).toString(Qt::ISODate) + u'\n').toLatin1();
        store.setValue(u"khatma/finished"_qs, lines);
        KhatmaTracker tracker;
        tracker.load(&store);
        requireRows(int(tracker.finished().size()), u"1,000,000 finished khatmas"_qs);
        Row open{u"open the khatma window (1,000,000 finished)"_qs};
        open.ms = timeMs([&] {
            KhatmaWindow window(tracker, &w);
            window.show();
            QCoreApplication::processEvents();
        }, 3);
        rows.push_back(open);
        KhatmaWindow window(tracker, &w);
        window.show();
        QCoreApplication::processEvents();
        requireRows(window.findChild<QListView *>(u"pastKhatmas"_qs)->model()->rowCount(), u"the past khatmas listed"_qs);
        tracker.start({KhatmaSchedule::By::Days, 30, 1, QDate::currentDate()}, QDate::currentDate());
        int page = 0;
        Row turn{u"page turn with the khatma window open (1,000,000 finished)"_qs};
        turn.ms = timeMs([&] {
            tracker.pageTurnedPast(++page);
            QCoreApplication::processEvents();
        });
        rows.push_back(turn);
    }
    // The tafsirs, each about three times the aya text.
    searchRow(u"search \"الله\" in تفسير الجلالين"_qs, u"الله"_qs, false, false, SearchTarget::Jalalayn);
    searchRow(u"search \"الله\" in التفسير الميسر"_qs, u"الله"_qs, false, false, SearchTarget::Muyassar);
    {
        TopicWindow topics(w.state(), &w);
        const QString word = u"الصلاة"_qs;
        topics.filterTopics(word.left(1)); // loads the table once
        Row r{u"topic filter, per keystroke of \"الصلاة\""_qs};
        r.ms = timeMs([&] {
            for (qsizetype n = 1; n <= word.size(); ++n)
                topics.filterTopics(word.left(n));
        }) / double(word.size());
        requireRows(topics.findChild<QListWidget *>(u"mainlist"_qs)->count(), word);
        rows.push_back(r);
    }
    // By root and by lemma, beside the letters' search for the same root.
    {
        const double letters = searchRow(u"search \"امن\" (letters)"_qs, u"امن"_qs, false);
        const double root = searchRow(u"search the root \"أمن\""_qs, u"أمن"_qs, false, false, SearchTarget::Quran, WordKey::Root);
        const double lemma = searchRow(u"search the lemma \"كتاب\""_qs, u"كتاب"_qs, false, false, SearchTarget::Quran, WordKey::Lemma);
        std::printf("root / letters: %.2fx, lemma / letters: %.2fx\n", root / letters, lemma / letters);
    }
}
