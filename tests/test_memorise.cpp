// Memorising: similar ayas against a brute-force reading of the source, the
// recital checker's alignment, the review schedule across days and its store,
// and hiding the reading page.
#include "guitest.h"
#include "data/userstore.h"
#include "memorise/windows/memorisecommands.h"
#include "memorise/windows/memorisemode.h"
#include "memorise/memoriseprogress.h"
#include "memorise/pageveil.h"
#include "memorise/windows/progresswindow.h"
#include "memorise/recitalcheck.h"
#include "memorise/windows/recitalwindow.h"
#include "memorise/similarayas.h"
#include "memorise/windows/similarayaswindow.h"
#include "notes/notesstore.h"
#include "notes/notestransfer.h"
#include "reading/windows/mushafview.h"
#include "reading/windows/pageview.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "search/arabicfolding.h"
#include "state/searchmemory.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <sqlite3.h>
#include <set>

using namespace zarfan;

namespace {

// The folded words of every aya straight from quran.tsv, pause marks out.
std::vector<QStringList> sourceWords(const std::vector<testutil::SourceAya> &source)
{
    std::vector<QStringList> out;
    for (const auto &a : source) {
        QStringList words;
        for (const QString &w : foldArabic(a.clean).split(u' ', Qt::SkipEmptyParts))
            if (!std::all_of(w.begin(), w.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; }))
                words.append(w);
        out.push_back(words);
    }
    return out;
}

int longestRun(const QStringList &a, const QStringList &b)
{
    int best = 0;
    for (int i = 0; i < a.size(); ++i)
        for (int j = 0; j < b.size(); ++j) {
            int n = 0;
            while (i + n < a.size() && j + n < b.size() && a[i + n] == b[j + n])
                ++n;
            best = std::max(best, n);
        }
    return best;
}

// The expected list of aya index k: (index, shared words), most shared first.
std::vector<std::pair<int, int>> expectedSimilar(const std::vector<QStringList> &words, int k)
{
    std::vector<std::pair<int, int>> out;
    for (int o = 0; o < int(words.size()); ++o) {
        if (o == k)
            continue;
        const int run = longestRun(words[std::size_t(k)], words[std::size_t(o)]);
        const bool shortEqual = words[std::size_t(k)].size() <= 4 && words[std::size_t(k)] == words[std::size_t(o)];
        if (run >= 4 || shortEqual)
            out.emplace_back(o, run);
    }
    std::stable_sort(out.begin(), out.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    return out;
}

int indexOf(const std::vector<testutil::SourceAya> &source, int sura, int aya)
{
    for (std::size_t i = 0; i < source.size(); ++i)
        if (source[i].sura == sura && source[i].aya == aya)
            return int(i);
    return -1;
}

} // namespace

class TestMemorise : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { zarfan::initResources(); }

    // Known pairs, and whole lists checked against a brute force over the source.
    void similarAyas()
    {
        ReadingState state(testutil::realDbFolder());
        const SearchMemory &memory = state.searchMemory();
        QVERIFY(memory.isLoaded());
        SimilarAyas similar;
        QVERIFY(similar.build(memory.text()));
        const auto source = testutil::readSource();
        QCOMPARE(int(source.size()), memory.text().size());
        const auto words = sourceWords(source);
        const auto listed = [&](int k) {
            std::vector<std::pair<int, int>> out;
            for (const SimilarAya &s : similar.of(k))
                out.emplace_back(s.row, s.shared);
            return out;
        };
        const int a25 = indexOf(source, 2, 5), a315 = indexOf(source, 31, 5);
        const int a22 = indexOf(source, 2, 2), a33 = indexOf(source, 3, 3);
        const auto has = [](const std::vector<std::pair<int, int>> &l, int k) {
            return std::any_of(l.begin(), l.end(), [k](const auto &p) { return p.first == k; });
        };
        QVERIFY(has(listed(a25), a315));
        QVERIFY(has(listed(a315), a25));
        QVERIFY(!has(listed(a22), a33));
        QVERIFY(!has(listed(a33), a22));
        // A short aya repeated through its sura, and a long one: the lists and
        // their order as the source gives them.
        for (const auto &[sura, aya] : {std::pair{2, 5}, std::pair{31, 5}, std::pair{2, 2}, std::pair{55, 13}, std::pair{2, 255},
                                        std::pair{1, 1}, std::pair{112, 1}}) {
            const int k = indexOf(source, sura, aya);
            QCOMPARE(listed(k), expectedSimilar(words, k));
        }
        QCOMPARE(int(listed(indexOf(source, 55, 13)).size()), 30);
        // The run found is where the two words agree, and no longer.
        for (const SimilarAya &s : similar.of(a25)) {
            const QStringList &theirs = words[std::size_t(s.row)], &own = words[std::size_t(a25)];
            QCOMPARE(theirs.mid(s.start, s.shared), own.mid(s.ownStart, s.shared));
            QCOMPARE(s.wordCount, int(theirs.size()));
        }
        QVERIFY(similar.of(-1).empty());
        QVERIFY(similar.of(memory.text().size()).empty());
        // As the database builder prepared them: the same for every aya.
        DataControl control;
        control.setConnectionString(state.connectionString());
        SimilarAyas prepared;
        QVERIFY(prepared.read(control, memory.text()));
        QVERIFY(prepared == similar);
        for (int k = 0; k < memory.text().size(); ++k) {
            const std::vector<SimilarAya> a = prepared.of(k), b = similar.of(k);
            QVERIFY(std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SimilarAya &x, const SimilarAya &y) {
                return x.row == y.row && x.shared == y.shared && x.start == y.start && x.ownStart == y.ownStart;
            }));
        }
    }

    // From the menu's shortcut to the list, an entry chosen by key, and the
    // list made a listing.
    void similarAyasWindow()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const SearchMemory &memory = w.state().searchMemory();
        const int k = memory.text().indexOfId(12); // 2:5
        w.state().chooseAya(memory.text().record(k));
        QCOMPARE(w.state().currentAya(), 12);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        auto *window = w.findChild<SimilarAyasWindow *>(u"similarayas"_qs);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        auto *list = guitest::child<QListWidget>(window, "similarlist");
        QVERIFY(list->count() > 0);
        QCOMPARE(list->count(), int(window->entries().size()));
        // The first entry shares the most; its spoken text names the run.
        QVERIFY(list->item(0)->data(Qt::AccessibleTextRole).toString().contains(u"يشترك في"_qs));
        const int firstId = memory.text().id(window->entries().front().row);
        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(w.state().currentAya(), firstId);
        QTest::mouseClick(guitest::child<QPushButton>(window, "similartoresults"), Qt::LeftButton);
        QCOMPARE(w.listing().count(), list->count());
        QCOMPARE(w.listing().at(0).id.toInt(), firstId);
        // The action sits in the search tools menu.
        auto *tools = w.menuBar()->findChild<QMenu *>(u"searchtools"_qs);
        QVERIFY(tools && tools->actions().contains(w.findChild<MemoriseCommands *>()->similarAction()));
    }
    // A dropped, an extra and a wrong word, a hamza spelt otherwise, and the
    // ayas to hear again.
    void recitalCheck()
    {
        const std::vector<RecitedAya> ayas{{1, u"الفاتحة : 1"_qs, u"بِسْمِ اللَّهِ الرَّحْمَٰنِ الرَّحِيمِ"_qs},
                                           {8, u"البقرة : 1"_qs, u"إِنَّ الَّذِينَ آمَنُوا ۚ وَعَمِلُوا"_qs}};
        const auto marks = [](const RecitalCheck &c) {
            QString out;
            for (const CheckedWord &w : c.words)
                out += QString::number(int(w.mark));
            return out;
        };
        // Right 0, Wrong 1, Missing 2, Extra 3; the pause mark is no word.
        const RecitalCheck all = checkRecital(ayas, u"بسم الله الرحمن الرحيم ان الذين امنوا وعملوا"_qs);
        QCOMPARE(marks(all), u"00000000"_qs);
        QCOMPARE(all.score(), u"صحيح : 8 من 8"_qs);
        QVERIFY(all.ayasToHear(ayas).isEmpty());
        // Hamza forms and diacritics as typed count right.
        QCOMPARE(marks(checkRecital(ayas, u"بِسم اللّه الرحمن الرحيم إنّ الذين آمنوا وعملوا"_qs)), u"00000000"_qs);

        const RecitalCheck dropped = checkRecital(ayas, u"بسم الرحمن الرحيم ان الذين امنوا وعملوا"_qs);
        QCOMPARE(marks(dropped), u"02000000"_qs);
        QCOMPARE(dropped.score(), u"صحيح : 7 من 8"_qs);
        QVERIFY(dropped.spoken(ayas).contains(u"ناقصة : اللَّهِ"_qs));
        QCOMPARE(dropped.ayasToHear(ayas), QList<int>{1});

        const RecitalCheck extra = checkRecital(ayas, u"بسم الله الرحمن الرحيم ان الذين قد امنوا وعملوا"_qs);
        QCOMPARE(marks(extra), u"000000300"_qs);
        QCOMPARE(extra.words.at(6).typed, u"قد"_qs);
        QCOMPARE(extra.words.at(6).aya, 1);
        QCOMPARE(extra.score(), u"صحيح : 8 من 8"_qs);
        QVERIFY(extra.spoken(ayas).contains(u"زائدة : قد"_qs));
        QVERIFY(extra.ayasToHear(ayas).isEmpty());

        const RecitalCheck wrong = checkRecital(ayas, u"بسم الله الرحمن الرحيم ان الذين كفروا وعملوا"_qs);
        QCOMPARE(marks(wrong), u"00000010"_qs);
        QCOMPARE(wrong.words.at(6).expected, u"آمَنُوا"_qs);
        QCOMPARE(wrong.words.at(6).typed, u"كفروا"_qs);
        QCOMPARE(wrong.ayasToHear(ayas), QList<int>{8});
        QVERIFY(wrong.spoken(ayas).contains(u"في البقرة : 1"_qs));

        // Nothing typed: every word missing; too much to align: refused.
        QCOMPARE(checkRecital(ayas, QString()).right, 0);
        QCOMPARE(marks(checkRecital(ayas, u"   "_qs)), u"22222222"_qs);
        const RecitalCheck huge = checkRecital({{1, u"x"_qs, QStringList(9000, u"كلمة"_qs).join(u' ')}},
                                               QStringList(9000, u"كلمة"_qs).join(u' '));
        QVERIFY(huge.tooLong);
        // A paste far longer than the ayas is refused before it is aligned.
        const RecitalCheck pasted = checkRecital(ayas, QStringList(67, u"كلمة"_qs).join(u' '));
        QVERIFY(pasted.tooLong);
        QCOMPARE(pasted.typedWords, 67);
    }

    // The ayas a recital covers, and the window checked by keys alone.
    void recitalWindow()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const FoldedText &text = w.state().searchMemory().text();
        const auto source = testutil::readSource();
        const int start = text.indexOfId(8); // 2:1
        std::vector<int> page;
        for (const auto &a : source)
            if (a.id >= 8 && a.page == source[7].page)
                page.push_back(a.id - 1);
        QCOMPARE(recitalRows(text, start, RecitalEnd::PageEnd), page);
        QCOMPARE(int(recitalRows(text, start, RecitalEnd::Aya, 5).size()), 5);
        QCOMPARE(int(recitalRows(text, start, RecitalEnd::Aya, 1).size()), 1);
        QCOMPARE(int(recitalRows(text, text.indexOfId(6231), RecitalEnd::SuraEnd).size()), 6);
        QCOMPARE(int(recitalRows(text, 6235, RecitalEnd::PageEnd).size()), 1);
        QVERIFY(recitalRows(text, -1, RecitalEnd::PageEnd).empty());

        w.state().chooseAya(text.record(text.indexOfId(6222))); // 112:1
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        auto *window = w.findChild<RecitalWindow *>(u"recital"_qs);
        QVERIFY(window && window->isVisible());
        QCOMPARE(guitest::child<QLabel>(window, "recitalstart")->text(), text.record(text.indexOfId(6222)).line);
        auto *end = guitest::child<QComboBox>(window, "recitalend");
        end->setCurrentIndex(2); // the sura's end
        auto *typed = guitest::child<QPlainTextEdit>(window, "recitaltext");
        typed->setFocus();
        // Sura 112 with its third aya left out and a hamza dropped.
        for (const QChar ch : u"قل هو الله احد الله الصمد ولم يكن له كفوا احد"_qs) // typed key by key
            QTest::sendKeyEvent(QTest::Click, typed, ch == u' ' ? Qt::Key_Space : Qt::Key_A, QString(ch), Qt::NoModifier);
        QCOMPARE(typed->toPlainText(), u"قل هو الله احد الله الصمد ولم يكن له كفوا احد"_qs);
        QTest::keyClick(typed, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(typed->toPlainText().count(u'\n'), 0);
        QCOMPARE(window->ayas().size(), std::size_t(4));
        QCOMPARE(window->result().total, 15);
        QCOMPARE(guitest::child<QLabel>(window, "recitalscore")->text(), u"صحيح : 11 من 15"_qs);
        QVERIFY(guitest::child<QLabel>(window, "recitalmarks")->text().contains(u"ناقصة : يَلِدْ"_qs));
        QVERIFY(window->result().ayasToHear(window->ayas()).contains(6224));
        QVERIFY(!window->result().ayasToHear(window->ayas()).contains(6222));
        QVERIFY(guitest::child<QPushButton>(window, "recitalhear")->isEnabled());
    }

    // The review rule across days, kept in the store and carried by the
    // notes file.
    void reviewSchedule()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        const QDate day0(2026, 3, 1);
        {
            UserStore store;
            QCOMPARE(store.open(path), UserStore::Opened::Fresh);
            MemoriseProgress p(&store);
            QVERIFY(p.setState({10, 11, 12}, PageState::Held, day0));
            QVERIFY(p.setState({13}, PageState::Learning, day0));
            QVERIFY(!p.setState({0}, PageState::Held, day0));
            QVERIFY(!p.setState({605}, PageState::Held, day0));
            QVERIFY(p.due(day0).empty());
            QCOMPARE(p.due(day0.addDays(1)), (std::vector<int>{10, 11, 12}));
            QVERIFY(p.review(10, ReviewAnswer::Mastered, day0.addDays(1)));  // 2 days
            QVERIFY(p.review(11, ReviewAnswer::Hesitant, day0.addDays(1)));  // 1 day
            QVERIFY(p.review(12, ReviewAnswer::Forgot, day0.addDays(1)));    // back to learning
            QVERIFY(!p.review(12, ReviewAnswer::Mastered, day0.addDays(1))); // not held now
            QVERIFY(!p.review(13, ReviewAnswer::Mastered, day0.addDays(1)));
            QCOMPARE(p.page(12).state, PageState::Learning);
            QCOMPARE(p.page(12).interval, 1);
            QCOMPARE(p.due(day0.addDays(2)), std::vector<int>{11});
            // Overdue pages, the longest waiting first.
            QCOMPARE(p.due(day0.addDays(9)), (std::vector<int>{11, 10}));
            QCOMPARE(p.count(PageState::Held), 2);
            QCOMPARE(p.count(PageState::Learning), 2);
            // Doubling stops at sixty days.
            QDate d = day0.addDays(3);
            QList<int> intervals;
            for (int i = 0; i < 8; ++i) {
                QVERIFY(p.review(10, ReviewAnswer::Mastered, d));
                intervals.append(p.page(10).interval);
                d = d.addDays(p.page(10).interval);
            }
            QCOMPARE(intervals, (QList<int>{4, 8, 16, 32, 60, 60, 60, 60}));
        }
        // Kept across opening the store again.
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        MemoriseProgress kept(&store);
        QCOMPARE(kept.page(10).interval, 60);
        QCOMPARE(kept.page(12).state, PageState::Learning);
        QCOMPARE(kept.count(PageState::Held), 2);

        // Through the notes file into an empty store, and an old file without pages.
        NotesStore notes(store);
        const QByteArray json = NotesTransfer::toJson(notes);
        QCOMPARE(QJsonDocument::fromJson(json).object().value(u"memorise"_qs).toArray().size(), 4);
        UserStore other;
        QCOMPARE(other.open(dir.filePath(u"other.db"_qs)), UserStore::Opened::Fresh);
        NotesStore otherNotes(other);
        const NotesTransfer::Report report = NotesTransfer::importJson(otherNotes, json);
        QCOMPARE(report.whole, NotesTransfer::Report::Refused::None);
        QCOMPARE(report.added, 4);
        MemoriseProgress carried(&other);
        for (int page : {10, 11, 12, 13}) {
            QCOMPARE(carried.page(page).state, kept.page(page).state);
            QCOMPARE(carried.page(page).interval, kept.page(page).interval);
            QCOMPARE(carried.page(page).due, kept.page(page).due);
        }
        // Again: nothing newer, nothing changes; a bad entry is refused.
        QCOMPARE(NotesTransfer::importJson(otherNotes, json).added, 0);
        QJsonObject root = QJsonDocument::fromJson(json).object();
        root.insert(u"memorise"_qs, QJsonArray{QJsonObject{{u"page"_qs, 700}, {u"state"_qs, 2}}});
        QCOMPARE(NotesTransfer::importJson(otherNotes, QJsonDocument(root).toJson()).refused, 1);
        root.remove(u"memorise"_qs);
        QCOMPARE(NotesTransfer::importJson(otherNotes, QJsonDocument(root).toJson()).whole, NotesTransfer::Report::Refused::None);
    }

    // A version 2 store gains the pages' table, its old self copied aside.
    void storeStep()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        {
            UserStore store;
            QCOMPARE(store.open(path), UserStore::Opened::Fresh);
            QVERIFY(store.addChosen(u"الفاتحة : 1"_qs, u"1"_qs));
            QVERIFY(store.connection().exec("DROP TABLE memorised; PRAGMA user_version = 2;"));
        }
        const auto version = [](const QString &file) {
            sqlite3 *raw = nullptr;
            sqlite3_open_v2(QFile::encodeName(file).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
            sql::Database db(raw);
            sql::Statement s(raw, "PRAGMA user_version;");
            return s && s.step() == SQLITE_ROW ? s.text(0).toInt() : -1;
        };
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        QCOMPARE(version(path), 3);
        QCOMPARE(version(path + u".bak-2"_qs), 2);
        QCOMPARE(store.chosen().size(), std::size_t(1));
        MemoriseProgress p(&store);
        QVERIFY(p.setState({1}, PageState::Held, QDate(2026, 1, 1)));
        QCOMPARE(MemoriseProgress(&store).page(1).state, PageState::Held);
    }

    // The window: a juz marked held, reviewed the next day by its buttons.
    void progressWindow()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *commands = w.findChild<MemoriseCommands *>();
        QDate today(2026, 3, 1);
        commands->setClock([&today] { return today; });
        commands->progressAction()->trigger();
        auto *window = w.findChild<ProgressWindow *>(u"memoriseprogress"_qs);
        QVERIFY(window && window->isVisible());
        guitest::child<QComboBox>(window, "markunit")->setCurrentIndex(2);
        guitest::child<QSpinBox>(window, "markfrom")->setValue(30);
        QCOMPARE(guitest::child<QComboBox>(window, "markstate")->currentText(), u"محفوظ"_qs);
        QTest::mouseClick(guitest::child<QPushButton>(window, "markpages"), Qt::LeftButton);
        std::set<int> juz30;
        for (const auto &a : testutil::readSource())
            if (a.juz == 30)
                juz30.insert(a.page);
        QCOMPARE(commands->progress()->count(PageState::Held), int(juz30.size()));
        QVERIFY(guitest::child<QLabel>(window, "memorisesummary")->text().contains(QString::number(juz30.size())));
        auto *list = guitest::child<QListWidget>(window, "reviewtoday");
        QCOMPARE(list->count(), 0);
        today = today.addDays(1);
        commands->progressAction()->trigger();
        QCOMPARE(list->count(), int(juz30.size()));
        QCOMPARE(list->item(0)->data(Qt::UserRole).toInt(), *juz30.begin());
        QTest::mouseClick(guitest::child<QPushButton>(window, "reviewmastered"), Qt::LeftButton);
        QCOMPARE(list->count(), int(juz30.size()) - 1);
        QCOMPARE(commands->progress()->page(*juz30.begin()).interval, 2);
        QTest::mouseClick(guitest::child<QPushButton>(window, "reviewforgot"), Qt::LeftButton);
        QCOMPARE(commands->progress()->count(PageState::Learning), 1);
        // Kept in the program's own store.
        QCOMPARE(MemoriseProgress(w.state().userStore()).count(PageState::Learning), w.state().userStore() ? 1 : 0);
        // Opening a page to review hides it on the reading page.
        list->setCurrentRow(0);
        const int page = list->item(0)->data(Qt::UserRole).toInt();
        QTest::mouseClick(guitest::child<QPushButton>(window, "reviewopen"), Qt::LeftButton);
        ReadingWindow *reading = w.readingCommands()->window();
        QVERIFY(reading && reading->isVisible());
        QCOMPARE(reading->pageNumber(), page);
        QVERIFY(commands->mode()->isOn());
        QCOMPARE(commands->mode()->veil().hiddenCount(), int(commands->mode()->veil().words().size()));
        const auto perJuz = window->findChild<JuzChart *>()->pagesPerJuz(PageState::Held);
        QCOMPARE(perJuz[30] + perJuz[29], int(juz30.size()) - 1);
    }

    // Each mode on a page's words, and the reveal steps.
    void veilModes()
    {
        QList<PageWord> words;
        for (int aya = 1; aya <= 3; ++aya)
            for (int word = 1; word <= 4; ++word)
                words.append({2, aya, word});
        PageVeil veil;
        veil.setPage(words, 2, 2);
        QCOMPARE(veil.hiddenCount(), 12);
        QCOMPARE(veil.show(words[0]), WordShow::Hidden);
        QCOMPARE(veil.show({9, 9, 9}), WordShow::Whole); // not on the page
        QCOMPARE(veil.revealNext(), QList<PageWord>{words[0]});
        QCOMPARE(veil.revealNext(), QList<PageWord>{words[1]});
        QCOMPARE(veil.revealRestOfAya(), (QList<PageWord>{words[2], words[3]}));
        QCOMPARE(veil.hideLast(), QList<PageWord>{words[3]});
        QCOMPARE(veil.show(words[3]), WordShow::Hidden);
        QCOMPARE(veil.reveal(words[10]), QList<PageWord>{words[10]});
        QCOMPARE(veil.revealNext(), QList<PageWord>{words[3]}); // reading order, skipping the clicked one
        QCOMPARE(veil.revealAll().size(), 7);
        QCOMPARE(veil.hiddenCount(), 0);
        QVERIFY(veil.revealNext().isEmpty());
        QCOMPARE(veil.hideLast(), QList<PageWord>{words[11]});
        // A new page is hidden again.
        veil.setPage(words, 2, 2);
        QCOMPARE(veil.hiddenCount(), 12);

        veil.setMode(HideMode::AfterCurrentAya);
        QCOMPARE(veil.hiddenCount(), 4);
        QCOMPARE(veil.show(words[7]), WordShow::Whole);
        QCOMPARE(veil.show(words[8]), WordShow::Hidden);
        QCOMPARE(veil.revealRestOfAya().size(), 4);
        veil.setMode(HideMode::FirstLetter);
        QCOMPARE(veil.show(words[5]), WordShow::FirstLetter);
        QCOMPARE(veil.revealNext(), QList<PageWord>{words[0]});
        QCOMPARE(veil.show(words[0]), WordShow::Whole);
        veil.setMode(HideMode::EveryOther);
        QCOMPARE(veil.hiddenCount(), 6);
        QCOMPARE(veil.show(words[0]), WordShow::Whole);
        QCOMPARE(veil.show(words[1]), WordShow::Hidden);
        QCOMPARE(veil.revealNext(), QList<PageWord>{words[1]});
        QVERIFY(veil.hideLast().size() == 1 && veil.hideLast().isEmpty());
    }

    // On the reading page by keys: hidden words keep their places, reveal,
    // hide again, a turned page hidden afresh, Escape leaves.
    void memorisationMode()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        auto *mode = w.findChild<MemoriseCommands *>()->mode();
        QVERIFY(mode->isOn());
        ReadingWindow *reading = w.readingCommands()->window();
        QVERIFY(reading && reading->isVisible());

        // The printed page, the view a reader first meets: hidden words leave
        // the screen reader's text, and keys and a click reveal them.
        auto *printed = reading->findChild<MushafView *>();
        QVERIFY(printed && printed->isVisible());
        QCOMPARE(mode->veil().words(), printed->pageWords());
        QCOMPARE(mode->veil().hiddenCount(), int(printed->pageWords().size()));
        const PageWord firstWord = printed->pageWords().first();
        const QString veiled = printed->accessibleText();
        printed->setFocus();
        QTest::keyClick(printed, Qt::Key_Space);
        QVERIFY(!mode->veil().isHidden(firstWord));
        QVERIFY(printed->accessibleText().size() > veiled.size());
        const PageWord second = printed->pageWords().at(1);
        QVERIFY(mode->veil().isHidden(second));
        QTest::mouseClick(printed->viewport(), Qt::LeftButton, {}, printed->wordRect(second).center().toPoint());
        QVERIFY(!mode->veil().isHidden(second));
        QTest::keyClick(printed, Qt::Key_Return);
        QCOMPARE(mode->veil().hiddenCount(), 0);

        // The continuous text keeps every word's place, drawn transparent.
        reading->findChild<QComboBox *>(u"viewmode"_qs)->setCurrentIndex(1);
        auto *page = reading->findChild<PageView *>();
        QVERIFY(page->isVisible());
        const QString text = page->toPlainText();
        const int all = int(mode->veil().words().size());
        QVERIFY(all > 0);
        QCOMPARE(mode->veil().hiddenCount(), all);
        // The first word's letters are there, drawn transparent.
        const auto shownAt = [&](const PageWord &word) {
            const MushafPage &p = reading->page();
            for (const PageAya &a : p.ayas)
                if (a.sura == word.sura && a.aya == word.aya) {
                    QTextCursor c(page->document());
                    c.setPosition(int(a.start) + 1);
                    return c.charFormat().foreground().color().alpha() != 0;
                }
            return true;
        };
        QVERIFY(!shownAt(mode->veil().words().first()));
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Space);
        QCOMPARE(mode->veil().hiddenCount(), all - 1);
        QVERIFY(shownAt(mode->veil().words().first()));
        QTest::keyClick(page, Qt::Key_Backspace);
        QCOMPARE(mode->veil().hiddenCount(), all);
        QVERIFY(!shownAt(mode->veil().words().first()));
        QTest::keyClick(page, Qt::Key_Space, Qt::ShiftModifier);
        QVERIFY(mode->veil().hiddenCount() < all - 1);
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(mode->veil().hiddenCount(), 0);
        QCOMPARE(page->toPlainText(), text); // every word kept its place
        const int number = reading->pageNumber();
        QTest::keyClick(page, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(reading->pageNumber(), number + 1);
        QVERIFY(mode->veil().hiddenCount() > 0);
        QCOMPARE(mode->veil().hiddenCount(), int(mode->veil().words().size()));
        // A click on a hidden word shows it.
        const QRect first = page->cursorRect([&] {
            QTextCursor c(page->document());
            c.setPosition(int(reading->page().ayas.front().start) + 1);
            return c;
        }());
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(mode->veil().hiddenCount(), int(mode->veil().words().size()) - 1);
        QTest::keyClick(page, Qt::Key_Escape);
        QVERIFY(!mode->isOn());
        QVERIFY(!mode->toggleAction()->isChecked());
        QTest::keyClick(page, Qt::Key_Space); // the keys are the page's own again
        QVERIFY(shownAt(mode->veil().words().first()));
    }

};

QTEST_MAIN(TestMemorise)
#include "test_memorise.moc"
