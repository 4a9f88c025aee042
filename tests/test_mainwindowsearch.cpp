#include "guitest.h"

#include "state/listingfill.h"
#include "search/arabicfolding.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QCompleter>
#include <QTextCursor>
#include <QToolButton>

using namespace zarfan;
using guitest::child;

class MainWindowSearchTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

    void wordSearch()
    {
        search(u"  الرحمن الرحيم "_qs);
        QCOMPARE(child<QLineEdit>(w.get(), "searcht")->text(), u"الرحمن الرحيم"_qs);
        const auto expected = std::count_if(source.begin(), source.end(), [](const auto &a) { return a.clean.contains(u"الرحمن الرحيم"_qs); });
        QCOMPARE(w->listing().count(), int(expected));
        QCOMPARE(label("score"), QString::number(expected));
        QCOMPARE(text1(), aya(1, 1).text + u" [الفاتحة : 1]"_qs);
        QCOMPARE(programState().mixedsora, qint16(1));
        // A quote: no hits, no message, the button back on.
        guitest::MessageLog log;
        search(u"'"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        QVERIFY(child<QToolButton>(w.get(), "allayaasearch")->isEnabled());
        QVERIFY(log.lines().isEmpty());
        // Enter in the window's own key handler searches as well.
        child<QLineEdit>(w.get(), "searcht")->setText(u"الصمد"_qs);
        child<QCheckBox>(w.get(), "Check1")->setFocus();
        QTest::keyClick(child<QCheckBox>(w.get(), "Check1"), Qt::Key_Return);
        QCOMPARE(lines(), QStringList({u"الإخلاص : 2"_qs}));
        // Only blanks: nothing searched, the box emptied.
        search(u"   "_qs);
        QVERIFY(child<QLineEdit>(w.get(), "searcht")->text().isEmpty());
        QCOMPARE(label("score"), u"1"_qs);
        QCOMPARE(lines(), QStringList({u"الإخلاص : 2"_qs}));
    }

    // Key repeat on Enter: each new search supersedes the running one and
    // none nests inside another's yield.
    void enterBurstNeverNestsFills()
    {
        EventYield::setDefaultInterval(0);
        int depth = 0, deepest = 0;
        connect(&w->state(), &ReadingState::listingCommandsEnabled, this, [&](ReadingState::Guard, bool enabled) {
            depth += enabled ? -1 : 1;
            deepest = std::max(deepest, depth);
        });
        auto *box = child<QLineEdit>(w.get(), "searcht");
        box->setText(u"ا"_qs);
        for (int i = 0; i < 400; ++i) {
            QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_qs));
            QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_qs));
        }
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(deepest, 1);
        QCOMPARE(depth, 0);
        // Every alef, with or without its hamza or madda.
        const QRegularExpression alef(u"[اأإآ]"_qs);
        const auto expected = std::count_if(source.begin(), source.end(), [&](const auto &a) { return a.clean.contains(alef); });
        QCOMPARE(w->listing().count(), int(expected));
        QCOMPARE(label("score"), QString::number(expected));
    }

    void tooLongSearchIsRefusedWithAMessage()
    {
        guitest::MessageLog log;
        navigate("searchname", 0);
        searchLiterally();
        search(QString(30000, u'ا'));
        QCOMPARE(log.lines().join(u"##"_qs), u"زرفان|نص البحث معقد جدا، يرجى تبسيطه"_qs);
        QCOMPARE(w->listing().count(), 0);
        QCOMPARE(label("score"), u"0"_qs);
    }

    // The words a search matched are marked in the shown aya, with and
    // without diacritics; other listings mark nothing.
    void highlightCountsAndReferences()
    {
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        const auto marked = [&] {
            QStringList out;
            for (const auto &s : text1->extraSelections())
                out.append(s.cursor.selectedText());
            return out;
        };
        search(u"الله"_qs);
        const auto statusText = [&] { return child<QLabel>(w.get(), "statusCounts")->text(); };
        QVERIFY(statusText().startsWith(u"عدد المرات : "_qs));
        QSet<QString> suras;
        for (int k = 0; k < w->listing().count(); ++k)
            suras.insert(w->listing().at(k).sura);
        QVERIFY(statusText().endsWith(QStringLiteral("    عدد الآيات : %1    عدد السور : %2").arg(w->listing().count()).arg(suras.size())));
        select(int(lines().indexOf(u"البقرة : 255"_qs)));
        // 2:255 holds الله once, as its first word.
        QCOMPARE(marked(), QStringList({aya(2, 255).text.section(u' ', 0, 0)}));
        QCOMPARE(text1->toPlainText(), aya(2, 255).text + u" [البقرة : 255]"_qs);
        child<QCheckBox>(w.get(), "Check1")->setChecked(true);
        select(0);
        select(int(lines().indexOf(u"البقرة : 255"_qs)));
        QCOMPARE(marked(), QStringList({u"الله"_qs}));
        QApplication::clipboard()->clear();
        action("copy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), text1->toPlainText());

        // A reference lists its ayas as one sura and marks nothing.
        search(u"البقرة 255-257"_qs);
        QCOMPARE(lines(), QStringList({u"البقرة : 255"_qs, u"البقرة : 256"_qs, u"البقرة : 257"_qs}));
        QCOMPARE(programState().mixedsora, qint16(0));
        QCOMPARE(label("score"), u"3"_qs);
        QVERIFY(marked().isEmpty());
        QCOMPARE(statusText(), u"عدد الآيات : 3    عدد السور : 1"_qs);
        guitest::MessageLog log;
        search(u"1:8"_qs);
        QCOMPARE(log.lines(), QStringList({u"زرفان|رقم الآية خارج المدى: آيات هذه السورة من 1 إلى 7"_qs}));
        QCOMPARE(label("score"), u"3"_qs);
    }

    // A search in a tafsir opens it and marks the words there.
    void tafsirSearch()
    {
        guitest::whenModal([](QWidget *dialog) {
            auto *in = child<QComboBox>(dialog, "searchin");
            QCOMPARE(in->currentText(), u"نص القرآن"_qs);
            in->setCurrentIndex(1);
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
        search(u"الجنة"_qs);
        auto *text2 = child<QPlainTextEdit>(w.get(), "Text2");
        QVERIFY(text2->isVisible());
        QVERIFY(child<QLabel>(w.get(), "statusCounts")->text().endsWith(u"    في تفسير الجلالين"_qs));
        QVERIFY(!text2->extraSelections().isEmpty());
        for (const auto &s : text2->extraSelections())
            QVERIFY(foldArabic(s.cursor.selectedText()).contains(u"الجنه"_qs));
        QVERIFY(child<QPlainTextEdit>(w.get(), "Text1")->extraSelections().isEmpty());
    }

    // Root mode: the words of the root are marked by their place; a word's
    // tool tip gives its root and lemma, pause marks not counted as words.
    void rootSearchMarksAndToolTips()
    {
        guitest::whenModal([](QWidget *dialog) {
            child<QComboBox>(dialog, "searchin")->setCurrentIndex(2);
            QVERIFY(!child<QRadioButton>(dialog, "rootsearch")->isEnabled());
            child<QComboBox>(dialog, "searchin")->setCurrentIndex(0);
            child<QRadioButton>(dialog, "rootsearch")->setChecked(true);
            QVERIFY(!child<QCheckBox>(dialog, "literalsearch")->isEnabled());
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
        search(u"ظظظ"_qs);
        QCOMPARE(child<QLabel>(w.get(), "statusCounts")->text(), u"لا يوجد هذا الجذر"_qs);
        search(u"كتب"_qs);
        QCOMPARE(label("score"), QString::number(w->listing().count()));
        select(int(lines().indexOf(u"البقرة : 2"_qs)));
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        QCOMPARE(text1->extraSelections().size(), 1);
        QCOMPARE(text1->extraSelections().first().cursor.selectedText(), u"الْكِتَابُ"_qs);
        // The first line; the word's meaning follows.
        QCOMPARE(toolTipOn(u"هُدًى"_qs).section(u'\n', 0, 0), u"الجذر : هدي    أصل الكلمة : هُدًى"_qs);
        QCOMPARE(toolTipOn(u"فِيهِ"_qs).section(u'\n', 0, 0), u"الجذر : —    أصل الكلمة : فِى"_qs);
        QVERIFY(child<QLabel>(w.get(), "statusCounts")->text().endsWith(u"    الجذر : كتب"_qs));
        // A word of two lemmas shows both.
        search(u"2:3"_qs);
        QCOMPARE(toolTipOn(aya(2, 3).text.section(u' ', 5, 5)).section(u'\n', 0, 0), u"الجذر : —    أصل الكلمة : مِن + مَا"_qs);
    }

    // The context menu searches by the word's own lemma as written (not
    // every lemma that folds alike) and by its root; the status bar names
    // which key a listing was made by.
    void searchByTheWordsOwnLemmaAndRoot()
    {
        search(u"2:255"_qs);
        const QString word = aya(2, 255).text.section(u' ', -2, -2);
        QCOMPARE(foldArabic(word), u"العلي"_qs);
        chooseOnWord(word, u"بحث بهذا الأصل"_qs);
        const auto statusText = [&] { return child<QLabel>(w.get(), "statusCounts")->text(); };
        QCOMPARE(w->listing().count(), 11);
        QVERIFY(!lines().contains(u"الفاتحة : 7"_qs));
        QVERIFY2(statusText().endsWith(u"    أصل الكلمة : عَلِيّ"_qs), qPrintable(statusText()));
        select(int(lines().indexOf(u"البقرة : 255"_qs)));
        chooseOnWord(word, u"بحث بهذا الجذر"_qs);
        QCOMPARE(w->listing().count(), 68);
        QVERIFY2(statusText().endsWith(u"    الجذر : علو"_qs), qPrintable(statusText()));
        // The same text typed in the options' mode is a word search, named as none.
        QTest::keyClick(child<QLineEdit>(w.get(), "searcht"), Qt::Key_Return);
        QVERIFY(!statusText().contains(u"الجذر"_qs));
    }

    // Enter while earlier searches are offered searches what the box then
    // shows, and records it: the typed text, or the offer moved to.
    void enterWhileTheHistoryIsOffered()
    {
        QTemporaryDir data;
        guitest::StoredState stored(folder->path(), data.filePath(u"user.db"_qs));
        ReadingState &state = stored.state;
        MainWindow window(state);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *box = child<QLineEdit>(&window, "searcht");
        // Keys go where the reader's would: to the offers while they show.
        const auto press = [&](Qt::Key key, const QString &text = {}) {
            QWidget *popup = QApplication::activePopupWidget();
            QTest::sendKeyEvent(QTest::Click, popup ? popup : box, key, text, Qt::NoModifier);
        };
        const auto type = [&](const QString &text) {
            box->clear();
            for (const QChar c : text)
                press(Qt::Key_unknown, QString(c));
        };
        for (const QString &text : {u"الرحمن"_qs, u"الصمد"_qs}) {
            type(text);
            press(Qt::Key_Return);
        }
        type(u"ال"_qs);
        QVERIFY(window.findChild<QCompleter *>()->popup()->isVisible());
        press(Qt::Key_Return);
        QCOMPARE(box->text(), u"ال"_qs);
        QCOMPARE(state.listingMatch()->needle, u"ال"_qs);
        QCOMPARE(stored.store.history().first(), u"ال"_qs);
        type(u"رحم"_qs);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(box->text(), u"الرحمن"_qs);
        QCOMPARE(state.listingMatch()->needle, foldArabic(u"الرحمن"_qs));
        QCOMPARE(stored.store.history().first(), u"الرحمن"_qs);
    }

    // A search that lists nothing leaves the aya on display without the
    // marks of the search before.
    void emptyListingDropsTheMarks()
    {
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        search(u"يا ايها"_qs);
        QVERIFY(!text1->extraSelections().isEmpty());
        const QString shown = text1->toPlainText();
        guitest::whenModal([](QWidget *dialog) {
            child<QCheckBox>(dialog, "literalsearch")->setChecked(true);
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
        search(u"امنوا"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        QCOMPARE(text1->toPlainText(), shown);
        QVERIFY(text1->extraSelections().isEmpty());
        action("tafser1")->trigger(); // marks are drawn again with the tafsir
        QVERIFY(text1->extraSelections().isEmpty());
    }

    // In a tafsir a text with digits is searched as text, not read as a
    // reference.
    void digitsInATafsirSearch()
    {
        guitest::whenModal([](QWidget *dialog) {
            child<QComboBox>(dialog, "searchin")->setCurrentIndex(2);
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
        guitest::MessageLog log;
        search(u"7:23"_qs);
        QCOMPARE(lines(), QStringList({u"البقرة : 37"_qs}));
        QVERIFY(log.lines().isEmpty());
    }

    // Texts as a reader types or pastes them: invisible marks, a pattern
    // that matches the empty text, leading zeros, a hamza in a root, a
    // superscript alef in a lemma.
    void typedSearchTexts()
    {
        const auto type = [&](const QString &text) {
            search(text);
            return w->listing().count();
        };
        const int plain = type(u"الصمد"_qs);
        QVERIFY(plain > 0);
        QCOMPARE(type(u"\u200fال\u200cصمد\u2066"_qs), plain);
        type(u"%"_qs);
        QCOMPARE(w->listing().count(), 6236);
        QVERIFY(child<QLabel>(w.get(), "statusCounts")->text().startsWith(u"عدد المرات : 6236    "_qs));
        type(u"2:0000255"_qs);
        QCOMPARE(lines(), QStringList({u"البقرة : 255"_qs}));
        const auto mode = [&](const char *radio) {
            guitest::whenModal([radio](QWidget *dialog) {
                child<QRadioButton>(dialog, radio)->setChecked(true);
                child<QToolButton>(dialog, "Command1")->click();
            });
            action("tools")->trigger();
        };
        mode("rootsearch");
        const int seat = type(u"شيأ"_qs);
        QVERIFY(seat > 400);
        QCOMPARE(type(u"شيء"_qs), seat);
        mode("lemmasearch");
        const int book = type(u"كتاب"_qs);
        QCOMPARE(type(u"كِتَٰب"_qs), book);
    }
};

QTEST_MAIN(MainWindowSearchTest)
#include "test_mainwindowsearch.moc"
