#include "state/listingfill.h"
#include "browse/resultlisting.h"
#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "state/readingstate.h"
#include "search/arabicfolding.h"
#include "search/completions.h"
#include "search/instantsearch.h"
#include "search/resultstextmodel.h"
#include "search/resultstextwindow.h"
#include "state/searchmemory.h"
#include "search/foldedtext.h"
#include "search/memorysearch.h"
#include "search/searchquery.h"
#include "search/vocabulary.h"
#include "search/wordkeyindex.h"
#include "guitest.h"
#include "app/didyoumeanbar.h"
#include "testutil.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QListView>
#include <QtTest>

using namespace zarfan;

namespace {
// Typed key by key, Arabic included.
void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The folded letters in the aya text, in the scope with that code.
SearchOptions defaultMode(int type = 0, bool single = false) { return SearchOptions{.searchtype = type, .singleWord = single}; }
} // namespace

class ForgivingTest : public QObject {
    Q_OBJECT
private:
    DataControl dc;
    FoldedText folded;
    WordKeyIndex keys;
    Vocabulary words;

    // "ID:hits" of each row, by the memory or by the statement.
    QStringList fromMemory(const QString &text, const SearchOptions &o)
    {
        const SearchAnswer a = answerFromMemory(text, o, folded, &keys);
        QStringList out;
        for (const ResultRecord &r : a.records(folded))
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
    QSet<QString> ids(const QString &text, const SearchOptions &o = defaultMode())
    {
        QSet<QString> out;
        for (const QString &row : fromMemory(text, o))
            out.insert(row.section(u':', 0, 0));
        return out;
    }

private slots:
    void initTestCase()
    {
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        QVERIFY(folded.load(dc));
        QVERIFY(keys.load(dc));
        words = Vocabulary(folded.wordCounts());
    }

    void vocabularyCountsTheSourceWords()
    {
        // Counted again from the source file, word by word.
        QHash<QString, int> expected;
        for (const testutil::SourceAya &a : testutil::readSource())
            for (const QString &w : foldArabic(a.clean).split(u' ', Qt::SkipEmptyParts))
                ++expected[w];
        QCOMPARE(words.size(), expected.size());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(words.count(it.key()), it.value());
        // The offers for a prefix: its words, most frequent first.
        const auto offered = words.withPrefix(u"الصا");
        QCOMPARE(int(offered.size()), 10);
        for (std::size_t i = 0; i < offered.size(); ++i) {
            QVERIFY(offered[i].word.startsWith(u"الصا"));
            QCOMPARE(offered[i].count, expected.value(offered[i].word));
            if (i > 0)
                QVERIFY(offered[i - 1].count >= offered[i].count);
        }
    }

    void correctionsOfTypos()
    {
        QVERIFY(words.contains(u"الجنه"_qs));
        const QStringList near = words.corrections(u"الجته"_qs);
        QVERIFY(!near.isEmpty() && near.size() <= 5);
        QVERIFY(near.contains(u"الجنه"_qs));
        QVERIFY(words.corrections(u"جته"_qs).isEmpty());     // three letters
        QVERIFY(words.corrections(u"الجنه"_qs).isEmpty());   // a known word
        for (const QString &w : near)
            QCOMPARE(boundedEditDistance(u"الجته", w, 1), 1);
        // A phrase: the correction that lists ayas.
        const auto lists = [&](const QString &phrase) { return !answerFromMemory(phrase, defaultMode(), folded, &keys).rows.empty(); };
        QVERIFY(!lists(u"يا ايهي الذين"_qs));
        QCOMPARE(words.phraseCorrections(u"يا ايهي الذين"_qs, lists).value(0), u"يا ايها الذين"_qs);
        // Roots the same way.
        const Vocabulary roots(keys.keyCounts(WordKey::Root));
        QVERIFY(roots.contains(u"صبر"_qs));
        QVERIFY(roots.corrections(u"صبز"_qs).isEmpty());
        QVERIFY(Vocabulary(keys.keyCounts(WordKey::Lemma)).corrections(u"كتابب"_qs).contains(u"كتاب"_qs));
    }

    void wholeWordsWithTheirPrefixes_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("matched");
        QTest::newRow("bare") << u"الصبر"_qs << u" الصبر "_qs << u"الصبر"_qs;
        QTest::newRow("waw") << u"قارون"_qs << u" وقارون "_qs << u"وقارون"_qs;
        QTest::newRow("fa") << u"قارون"_qs << u" فقارون "_qs << u"فقارون"_qs;
        QTest::newRow("ba") << u"الصبر"_qs << u" بالصبر "_qs << u"بالصبر"_qs;
        QTest::newRow("kaf") << u"الصبر"_qs << u" كالصبر "_qs << u"كالصبر"_qs;
        QTest::newRow("lam") << u"موسى"_qs << u" لموسي "_qs << u"لموسي"_qs;
        QTest::newRow("waw ba") << u"الصبر"_qs << u" وبالصبر "_qs << u"وبالصبر"_qs;
        QTest::newRow("fa kaf") << u"الصبر"_qs << u" فكالصبر "_qs << u"فكالصبر"_qs;
        QTest::newRow("waw lam") << u"موسى"_qs << u" ولموسي "_qs << u"ولموسي"_qs;
        QTest::newRow("lam al: allah") << u"الله"_qs << u" لله "_qs << u"لله"_qs;
        QTest::newRow("lam al: fa") << u"الله"_qs << u" فلله "_qs << u"فلله"_qs;
        QTest::newRow("lam al") << u"الصابرين"_qs << u" وللصابرين "_qs << u"وللصابرين"_qs;
        // What must not match.
        QTest::newRow("longer word") << u"الصبر"_qs << u" الصبري "_qs << QString();
        QTest::newRow("other letters before") << u"بر"_qs << u" صبر "_qs << QString();
        QTest::newRow("order of prefixes") << u"الصبر"_qs << u" بوالصبر "_qs << QString();
        QTest::newRow("two prepositions") << u"الصبر"_qs << u" لبالصبر "_qs << QString();
        QTest::newRow("lam al after ba") << u"الله"_qs << u" بلله "_qs << QString();
        QTest::newRow("lam al without al") << u"صابرين"_qs << u" للصابرين "_qs << QString();
    }
    void wholeWordsWithTheirPrefixes()
    {
        QFETCH(QString, needle);
        QFETCH(QString, text);
        QFETCH(QString, matched);
        const QList<TextRange> found = findTerm(text, foldArabic(needle), true);
        if (matched.isEmpty()) {
            QVERIFY(found.isEmpty());
            return;
        }
        QCOMPARE(found.size(), 1);
        QCOMPARE(text.mid(found[0].start, found[0].length), matched);
        // The mark covers the whole written word.
        QCOMPARE(termRanges(text, {foldArabic(needle)}, true).value(0), (TextRange{1, matched.size()}));
    }

    void prefixedWordsInTheData()
    {
        // The text never writes الصبر bare: 2:45 "واستعينوا بالصبر" and 2:153
        // "استعينوا بالصبر" are found through the prefix.
        const SearchOptions single = defaultMode(0, true);
        const QSet<QString> patience = ids(u"الصبر"_qs, single);
        QVERIFY(patience.contains(u"52"_qs) && patience.contains(u"160"_qs));
        QVERIFY(!words.contains(u"الصبر"_qs));
        // Every aya of the exact word is still there.
        const QSet<QString> prefixed = ids(u"الله"_qs, single);
        dc.setRecordSource(buildSearchStatement(u"الله"_qs, single));
        const QStringList exact = testutil::walk(dc, {u"ID"_qs});
        QVERIFY(!exact.isEmpty());
        for (const QString &id : exact)
            QVERIFY(prefixed.contains(id));
        QVERIFY(prefixed.size() > exact.size());
        QVERIFY(prefixed.contains(u"2"_qs) && !exact.contains(u"2"_qs)); // 1:2 الحمد لله
    }

    void memoryAnswersAsTheStatements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("key");
        QTest::newRow("الله") << u"الله"_qs << 0 << 0;
        QTest::newRow("every alef in juz 30") << u"ا"_qs << 1 << 0;
        QTest::newRow("hamza-less in a juz range") << u"امنوا"_qs << 2 << 0;
        QTest::newRow("phrase in a sura") << u"يا ايها"_qs << 3 << 0;
        QTest::newRow("phrase in a sura range") << u"قال موسى"_qs << 4 << 0;
        QTest::newRow("root in a sura") << u"أمن"_qs << 3 << 1;
        QTest::newRow("lemma") << u"كتاب"_qs << 0 << 2;
    }
    void memoryAnswersAsTheStatements()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(int, key);
        SearchOptions o = defaultMode(type);
        o.part = 29;
        o.part1 = 0, o.part2 = 2;
        o.sora = 1;
        o.sora1 = 1, o.sora2 = 19;
        o.key = WordKey(key);
        const QStringList expected = fromStatement(text, o);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(fromMemory(text, o), expected);
    }

    // Wildcards and the hizb and page scopes are the statements' to answer:
    // a hostile run of "_" would take the memory's matcher many seconds.
    void leftToTheStatements()
    {
        SearchOptions o = defaultMode(0);
        for (const QString &text : {u"قال%موسى"_qs, QString(3000, u'_') + u"ش"_qs, u"%"_qs})
            QCOMPARE(answerFromMemory(text, o, folded, &keys).status, SearchAnswer::Status::NotInMemory);
        o.searchtype = 6;
        QCOMPARE(answerFromMemory(u"الله"_qs, o, folded, &keys).status, SearchAnswer::Status::NotInMemory);
    }

    void operators()
    {
        const QSet<QString> prayer = ids(u"الصلاه"_qs), alms = ids(u"الزكاه"_qs);
        QCOMPARE(ids(u"الصلاة + الزكاة"_qs), prayer & alms);
        QCOMPARE(ids(u"موسى | هارون"_qs), ids(u"موسى"_qs) | ids(u"هارون"_qs));
        QCOMPARE(ids(u"الجنة - النار"_qs), ids(u"الجنة"_qs) - ids(u"النار"_qs));
        QCOMPARE(ids(u"(الصبر | الصابرين) + الصلاة"_qs), (ids(u"الصبر"_qs) | ids(u"الصابرين"_qs)) & prayer);
        // Left to right without parentheses; a phrase stays a phrase.
        QCOMPARE(ids(u"الصبر | الصابرين + الصلاة"_qs), (ids(u"الصبر"_qs) | ids(u"الصابرين"_qs)) & prayer);
        QCOMPARE(ids(u"الجنة + الصلاة | يا ايها"_qs), (ids(u"الجنة"_qs) & prayer) | ids(u"يا ايها"_qs));
        // Counts cover the terms not after " - ".
        const SearchAnswer both = answerFromMemory(u"الجنة - النار"_qs, defaultMode(), folded, &keys);
        QCOMPARE(both.terms, QStringList{u"الجنه"_qs});
        const QStringList either = fromMemory(u"موسى | هارون"_qs, defaultMode());
        const int row = folded.indexOfId(either.value(0).section(u':', 0, 0).toInt());
        QCOMPARE(either.value(0).section(u':', 1).toInt(),
                 int(findTerm(folded.padded(row), u"موسي", false).size() + findTerm(folded.padded(row), u"هارون", false).size()));
        // By root and lemma as well.
        SearchOptions root = defaultMode();
        root.key = WordKey::Root;
        QCOMPARE(ids(u"صبر + صلو"_qs, root), ids(u"صبر"_qs, root) & ids(u"صلو"_qs, root));
        QVERIFY(!ids(u"صبر + صلو"_qs, root).isEmpty());
    }

    void malformedCombinations()
    {
        for (const QString &text : {u"الجنة +"_qs, u"- الجنة"_qs, u"(الجنة | النار"_qs, u"الجنة | النار)"_qs,
                                    u"الجنة + | النار"_qs, u"() + الجنة"_qs, u"(الجنة) (النار) + الصبر"_qs}) {
            QVERIFY2(!parseSearchQuery(text), qPrintable(text));
            QCOMPARE(answerFromMemory(text, defaultMode(), folded, &keys).status, SearchAnswer::Status::Malformed);
        }
        // Without operators a text means what it always meant, parentheses
        // or hyphens inside words included.
        QVERIFY(!hasSearchOperators(u"(الجنة)"_qs));
        QVERIFY(!hasSearchOperators(u"الجنة-النار"_qs));
        QVERIFY(parseSearchQuery(u"((الجنة))"_qs));
        QCOMPARE(parseSearchQuery(u"(يا ايها | الذين) - امنوا"_qs)->shownTerms(), (QStringList{u"يا ايها"_qs, u"الذين"_qs}));
    }

    void completionOffersHistoryThenWords()
    {
        const QStringList history = {u"الصلاة والزكاة"_qs, u"الصبر"_qs, u"موسى"_qs};
        const QList<CompletionOffer> offers = completionOffers(u"الصلاه وال"_qs, history, words);
        QVERIFY(offers.size() > 1);
        QCOMPARE(offers[0].completed, u"الصلاة والزكاة"_qs);
        QVERIFY(offers[0].fromHistory);
        QCOMPARE(offers.size(), 11);
        // Then the words that start with the last typed word, most frequent
        // first, each with its count; choosing one replaces that word.
        const auto best = words.withPrefix(u"وال");
        QCOMPARE(offers[1].shown, best[0].word + u"  "_qs + arabicIndicNumber(best[0].count));
        QCOMPARE(offers[1].completed, u"الصلاه "_qs + best[0].word);
        QCOMPARE(arabicIndicNumber(15), u"١٥"_qs);
        QVERIFY(completionOffers(u"الصلاه "_qs, {}, words).isEmpty());
    }

    void resultsWindowFollowsTheListing()
    {
        ReadingState state(testutil::realDbFolder());
        SearchMemory memory;
        QVERIFY(memory.load(state.connectionString()));
        const auto search = [&](const QString &text) {
            state.produceListing(memory.request(memory.answer(text, defaultMode()), text, defaultMode()));
        };
        search(u"موسى | هارون"_qs);
        ResultsTextWindow window(state, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ResultsTextModel *model = window.model();
        QCOMPARE(model->rowCount(), state.listing().count());
        // The entry is heard with its text, and both terms are marked.
        const QString text = model->ayaText(0);
        QCOMPARE(model->index(0).data(Qt::AccessibleTextRole).toString(), state.listing().at(0).line + u' ' + text);
        QVERIFY(!text.isEmpty());
        for (const TextRange &r : model->marks(0))
            QVERIFY(QStringList({u"موسي"_qs, u"هارون"_qs}).contains(foldArabic(text.mid(r.start, r.length))));
        QVERIFY(!model->marks(0).isEmpty());
        // Choosing an entry selects that line; the main window's choice is
        // followed without an echo.
        QSignalSpy chosen(&window, &ResultsTextWindow::lineChosen);
        QListView *view = window.view();
        // The rows are laid out in batches after the window shows.
        QTRY_COMPARE(view->indexAt(view->visualRect(model->index(1)).center()), model->index(1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model->index(1)).center());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 1);
        window.showLine(2);
        QCOMPARE(view->currentIndex().row(), 2);
        QCOMPARE(chosen.size(), 1);
        // A new listing refills it.
        search(u"الصمد"_qs);
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(model->index(0).data().toString().contains(u"<span"_qs));
    }

    void instantSearchWaitsForAPauseAndACompleteText()
    {
        QLineEdit box;
        InstantSearch instant;
        connect(&box, &QLineEdit::textEdited, &instant, &InstantSearch::textEdited);
        QSignalSpy due(&instant, &InstantSearch::searchDue);
        box.show();
        typeText(&box, u"الصبر"_qs);
        QTest::qWait(InstantSearch::kPauseMs * 2);
        QCOMPARE(due.size(), 0); // off by default
        instant.setOn(true);
        box.clear();
        typeText(&box, u"الصبر"_qs);
        QVERIFY(due.wait(1000));
        QTest::qWait(InstantSearch::kPauseMs);
        QCOMPARE(due.size(), 1); // one search for the whole word, not one per letter
        QCOMPARE(due.at(0).at(0).toString(), u"الصبر"_qs);
        for (const QString &incomplete : {u" + "_qs, u"2:"_qs}) {
            typeText(&box, incomplete);
            QTest::qWait(InstantSearch::kPauseMs * 2);
            QCOMPARE(due.size(), 1);
            box.clear();
        }
        typeText(&box, u"2:255"_qs);
        QVERIFY(due.wait(1000));
        QVERIFY(isCompleteSearchText(u"الصبر + الصلاة"_qs));
        QVERIFY(!isCompleteSearchText(u"(الصبر + الصلاة"_qs));
    }

    void mainWindowForgives()
    {
        guitest::AppFolder folder;
        guitest::MessageLog log;
        QTemporaryDir userDir;
        guitest::StoredState stored(folder.path(), userDir.filePath(u"user.db"_qs));
        ReadingState &state = stored.state;
        MainWindow w(state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *box = guitest::child<QLineEdit>(&w, "searcht");
        auto *results = guitest::child<QListView>(&w, "suraayaalist");

        // Answers as you type, kept out of the history until Enter.
        QAction *instant = guitest::child<QAction>(&w, "instantsearch");
        QVERIFY(!instant->isChecked());
        instant->trigger();
        QCOMPARE(stored.store.value(u"instantSearch"_qs), QByteArray("1"));
        box->setFocus();
        typeText(box, u"يا موسى"_qs);
        QTRY_VERIFY(w.listing().count() > 0);
        QVERIFY(state.searchHistory().isEmpty());
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(state.searchHistory(), QStringList{u"يا موسى"_qs});
        instant->trigger();

        // The popup: the history first, then the words; the chosen word
        // replaces the last typed one and Enter searches what the box shows.
        box->clear();
        typeText(box, u"يا موس"_qs);
        QAbstractItemView *popup = w.findChild<QCompleter *>()->popup();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->index(0, 0).data().toString(), u"يا موسى"_qs);
        const QString top = state.searchMemory().words().withPrefix(u"موس").at(0).word;
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(box->text(), u"يا "_qs + top);
        QCOMPARE(state.searchHistory().value(0), box->text());

        // Nothing listed: proposals, taken by a click or by Enter.
        box->setText(u"الجته"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.listing().count(), 0);
        auto *bar = w.findChild<DidYouMeanBar *>();
        QVERIFY(bar->isVisible() && bar->proposals().contains(u"الجنه"_qs));
        QCOMPARE(bar->accessibleName(), didYouMeanText(bar->proposals()));
        const auto button = [&](const QString &text) {
            for (QPushButton *b : bar->findChildren<QPushButton *>())
                if (b->text() == text && b->isVisible())
                    return b;
            return static_cast<QPushButton *>(nullptr);
        };
        QTest::mouseClick(button(u"الجنه"_qs), Qt::LeftButton);
        QCOMPARE(box->text(), u"الجنه"_qs);
        QVERIFY(w.listing().count() > 3);
        QVERIFY(!bar->isVisible());
        box->setText(u"الجته"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        // Tab from the box reaches the first proposal.
        const QString proposal = bar->proposals().at(0);
        QTest::mouseClick(box, Qt::LeftButton);
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), button(proposal));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(box->text(), proposal);
        QVERIFY(w.listing().count() > 0);

        // A malformed combination is told and the listing kept.
        const int kept = w.listing().count();
        box->setText(u"الجنة +"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(log.lines().value(0).endsWith(u'|' + malformedQueryMessage()));
        QCOMPARE(w.listing().count(), kept);

        // The results with their text follow the listing both ways.
        QAction *withText = guitest::child<QAction>(&w, "resultstext");
        QCOMPARE(withText->shortcut(), QKeySequence(u"Ctrl+L"_qs));
        withText->trigger();
        auto *window = w.findChild<ResultsTextWindow *>();
        QVERIFY(window && window->isVisible());
        results->setCurrentIndex(w.listing().index(2));
        QCOMPARE(window->view()->currentIndex().row(), 2);
        QListView *view = window->view();
        QTRY_COMPARE(view->indexAt(view->visualRect(window->model()->index(3)).center()), window->model()->index(3));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(window->model()->index(3)).center());
        QCOMPARE(results->currentIndex().row(), 3);
    }
};

QTEST_MAIN(ForgivingTest)
#include "test_forgiving.moc"
