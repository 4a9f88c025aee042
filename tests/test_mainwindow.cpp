#include "guitest.h"

#include "auxiliary/aboutwindow.h"
#include "auxiliary/noteswindow.h"
#include "auxiliary/updatewindow.h"
#include "browse/listingfill.h"
#include "browse/suratables.h"
#include "compose/composewindow.h"
#include "navigator/navigatorwindow.h"
#include "search/arabicfolding.h"
#include "search/distributionwindow.h"
#include "search/optionswindow.h"
#include "app/singleinstance.h"
#include "data/userstore.h"
#include "topics/topicwindow.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QCompleter>
#include <QScreen>
#include <QTableWidget>
#include <QHelpEvent>
#include <QTextCursor>
#include <QToolTip>
#include <QToolButton>

using namespace zarfan;
using guitest::child;

class MainWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<guitest::AppFolder> folder;
    std::unique_ptr<MainWindow> w;
    std::vector<testutil::SourceAya> source;

    QListView *results() { return child<QListView>(w.get(), "suraayaalist"); }
    QString text1() { return child<QPlainTextEdit>(w.get(), "Text1")->toPlainText(); }
    QString label(const char *name) { return child<QLabel>(w.get(), name)->text(); }
    QAction *action(const char *name) { return child<QAction>(w.get(), name); }
    QStringList lines()
    {
        QStringList out;
        for (int k = 0; k < w->listing().count(); ++k)
            out.append(w->listing().at(k).line);
        return out;
    }
    void select(int row) { results()->setCurrentIndex(w->listing().index(row)); }
    void navigate(const char *combo, int index)
    {
        guitest::whenModal([=](QWidget *dialog) {
            QCOMPARE(dialog->objectName(), u"Form7"_qs);
            child<QComboBox>(dialog, combo)->setCurrentIndex(index);
            emit child<QComboBox>(dialog, combo)->activated(index);
        });
        action("fullsearch")->trigger();
    }
    void search(const QString &text)
    {
        child<QLineEdit>(w.get(), "searcht")->setText(text);
        QTest::keyClick(child<QLineEdit>(w.get(), "searcht"), Qt::Key_Return);
    }
    // The spelling as typed: its searches run the statements, whose fill
    // yields as it goes (the default mode answers from memory at once).
    void searchLiterally()
    {
        guitest::whenModal([](QWidget *dialog) {
            child<QCheckBox>(dialog, "literalsearch")->setChecked(true);
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
    }
    const testutil::SourceAya &aya(int sura, int n)
    {
        return *std::find_if(source.begin(), source.end(), [&](const auto &a) { return a.sura == sura && a.aya == n; });
    }

private slots:
    void initTestCase()
    {
        initResources();
        installFontSubstitutions();
        source = testutil::readSource();
        QCOMPARE(int(source.size()), 6236);
    }

    void init()
    {
        programState() = ProgramState();
        EventYield::setDefaultInterval(EventYield::kDefaultIntervalMs);
        folder = std::make_unique<guitest::AppFolder>();
        w = std::make_unique<MainWindow>(folder->path());
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    void cleanup()
    {
        w.reset();
        QApplication::clipboard()->clear();
    }

    void controlsAndMenus()
    {
        QCOMPARE(w->objectName(), u"Form1"_qs);
        QCOMPARE(w->windowTitle(), u" زرفان 3.0"_qs);
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        for (const char *name : {"searcht", "search", "allayaasearch", "copytext", "option", "Check1", "suraayaalist",
                                 "Text1", "addaya", "Text2", "score", "pagenotext", "chapterNOtext", "typetext", "soraayanum",
                                 "Label1", "Label2", "Label3", "Label4", "Label6", "Label7", "label8", "Label10", "Image1"})
            QVERIFY2(w->findChild<QWidget *>(QString::fromLatin1(name)), name);
        QCOMPARE(child<QToolButton>(w.get(), "search")->toolTip(), u"القيام بعملية بحث"_qs);
        QCOMPARE(child<QToolButton>(w.get(), "option")->toolTip(), u"خصائص البحث"_qs);
        QCOMPARE(child<QCheckBox>(w.get(), "Check1")->text(), u"بدون تشكيل"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        QCOMPARE(label("typetext"), u"---"_qs);
        QCOMPARE(label("soraayanum"), u"0"_qs);
        QVERIFY(!child<QPlainTextEdit>(w.get(), "Text2")->isVisible());
        QVERIFY(text1().isEmpty());
        QCOMPARE(child<QPlainTextEdit>(w.get(), "Text1")->font().family(), u"Tahoma"_qs);
        QCOMPARE(child<QPlainTextEdit>(w.get(), "Text1")->font().pointSizeF(), 11.25);

        const struct { const char *name, *caption, *shortcut; } items[] = {
            {"tafser2", "التفسير الميسر", ""}, {"tafser1", "تفسير الجلالين", ""}, {"hidetaf", "إخفاء", ""},
            {"fullsearch", "البحوث الكاملة", ""}, {"chosen", "تكوين النص المختار", "Ctrl+S"},
            {"allayaa", "تكوين النص لسورة كاملة", "Ctrl+A"}, {"subjects", "دليل مواضيع القرآن الكريم", ""},
            {"about", "عن البرنامج", ""}, {"update", "تحديث", ""}, {"copy", "نسخ النص", "Ctrl+C"}, {"tools", "tools", "Ctrl+T"}};
        for (const auto &item : items) {
            QAction *a = action(item.name);
            QVERIFY2(a, item.name);
            QCOMPARE(a->text(), QString::fromUtf8(item.caption));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
            QVERIFY(a->isEnabled());
        }
        QVERIFY(action("cut0")->isSeparator());
        QVERIFY(action("cut")->isSeparator());
        // Bar order, first at the right end of a right-to-left bar.
        QStringList bar;
        for (QAction *a : w->menuBar()->actions())
            bar.append(a->text());
        QCOMPARE(bar, QStringList({u"تفسير معاني القرآن"_qs, u"البحوث الكاملة"_qs, u"تكوين النص"_qs,
                                   u"دليل مواضيع القرآن الكريم"_qs, u"مساعدة"_qs, u"أدوات البحث"_qs}));
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w.get(), "searcht"));
    }

    void navigatorBySuraNameAndNumber()
    {
        navigate("searchname", 0);
        const QStringList byName = lines();
        QCOMPARE(byName.size(), 7);
        QCOMPARE(byName.first(), u"الفاتحة : 1"_qs);
        QCOMPARE(byName.last(), u"الفاتحة : 7"_qs);
        QCOMPARE(label("score"), u"7"_qs);
        QCOMPARE(programState().mixedsora, qint16(0));
        QCOMPARE(text1(), aya(1, 1).text + u" [الفاتحة : 1]"_qs);
        navigate("searchnumber", 0);
        QCOMPARE(lines(), byName);
        QVERIFY(action("fullsearch")->isEnabled());
        QVERIFY(child<QToolButton>(w.get(), "allayaasearch")->isEnabled());
    }

    void navigatorByJuz()
    {
        navigate("tafsercombo", 29);
        QCOMPARE(w->listing().count(), 564);
        QCOMPARE(label("score"), u"564"_qs);
        QCOMPARE(programState().mixedsora, qint16(1));
        QCOMPARE(lines().first(), u"النبأ : 1"_qs);
        QVERIFY(lines().contains(SuraTables::name(104) + u" : 1"_qs));
        int previous = 0;
        for (int k = 0; k < w->listing().count(); ++k) {
            QVERIFY(w->listing().at(k).id.toInt() > previous);
            previous = w->listing().at(k).id.toInt();
        }
        navigate("tafsercombo", 28);
        QVERIFY(lines().contains(SuraTables::name(73) + u" : 20"_qs));
        QVERIFY(lines().contains(SuraTables::name(74) + u" : 56"_qs));
        navigate("tafsercombo", 22);
        QVERIFY(lines().contains(u"صـ : 1"_qs));
        navigate("searchnumber", 49);
        QCOMPARE(lines().first(), u"قـ : 1"_qs);
        // The navigator kept its choices while hidden.
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(child<QComboBox>(dialog, "searchnumber")->currentIndex(), 49);
            QCOMPARE(child<QComboBox>(dialog, "tafsercombo")->currentIndex(), 22);
            dialog->close();
        });
        action("fullsearch")->trigger();
        QTest::qWait(0);
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(child<QComboBox>(dialog, "searchnumber")->currentIndex(), -1);
            QCOMPARE(child<QComboBox>(dialog, "searchnumber")->currentText(), u"اختر رقم السورة"_qs);
            dialog->hide();
        });
        action("fullsearch")->trigger();
    }

    void displayOfAnAya()
    {
        navigate("searchname", 1);
        select(254);
        QCOMPARE(text1(), aya(2, 255).text + u" [البقرة : 255]"_qs);
        QCOMPARE(label("typetext"), u"مدنية"_qs);
        QCOMPARE(label("soraayanum"), u"286"_qs);
        QCOMPARE(label("chapterNOtext"), QString::number(aya(2, 255).juz));
        QCOMPARE(label("pagenotext"), QString::number(aya(2, 255).page));
        QCOMPARE(child<QLabel>(w.get(), "score")->accessibleName(), u"عدد النتائج : 286"_qs);
        // Check1 counts from the next selection on.
        child<QCheckBox>(w.get(), "Check1")->setChecked(true);
        QCOMPARE(text1(), aya(2, 255).text + u" [البقرة : 255]"_qs);
        select(1);
        QCOMPARE(text1(), QString(aya(2, 2).clean).replace(u" ۛ"_qs, QString()) + u" [البقرة : 2]"_qs);
        child<QCheckBox>(w.get(), "Check1")->setChecked(false);
        select(2);
        QCOMPARE(text1(), aya(2, 3).text + u" [البقرة : 3]"_qs);
        // A listing with no lines leaves the aya on display.
        search(u"لا يوجد هذا النص"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        QCOMPARE(text1(), aya(2, 3).text + u" [البقرة : 3]"_qs);
    }

    void tafsir()
    {
        auto *text2 = child<QPlainTextEdit>(w.get(), "Text2");
        const int shortHeight = w->height();
        action("tafser2")->trigger();
        QVERIFY(text2->isVisible());
        QVERIFY(text2->toPlainText().isEmpty());
        QVERIFY(w->height() > shortHeight);
        navigate("searchname", 0);
        const QString muyassar = text2->toPlainText();
        QVERIFY(!muyassar.isEmpty());
        action("tafser1")->trigger();
        QVERIFY(!text2->toPlainText().isEmpty());
        QVERIFY(text2->toPlainText() != muyassar);
        select(1);
        const QString jalalayn2 = text2->toPlainText();
        action("tafser2")->trigger();
        QVERIFY(text2->toPlainText() != jalalayn2);
        action("hidetaf")->trigger();
        action("hidetaf")->trigger();
        QVERIFY(!text2->isVisible());
        QCOMPARE(w->height(), shortHeight);
    }

    void wholeSuraOfTheSelectedLine()
    {
        navigate("tafsercombo", 29);
        const int k = int(lines().indexOf(u"عبس : 3"_qs));
        QVERIFY(k > 0);
        select(k);
        QTest::mouseClick(child<QToolButton>(w.get(), "allayaasearch"), Qt::LeftButton);
        QCOMPARE(w->listing().count(), 42);
        QCOMPARE(lines().first(), u"عبس : 1"_qs);
        QCOMPARE(programState().mixedsora, qint16(0));
        QCOMPARE(label("score"), u"42"_qs);
        QVERIFY(action("fullsearch")->isEnabled());
    }

    // A fill started inside another fill's yield ends with its lines only.
    void fillDuringFill()
    {
        searchLiterally();
        EventYield::setDefaultInterval(0);
        bool started = false;
        QTimer::singleShot(0, this, [&] {
            started = true;
            navigate("searchname", 111);
        });
        search(u"ا"_qs);
        QVERIFY(started);
        QCOMPARE(lines(), QStringList({u"الإخلاص : 1"_qs, u"الإخلاص : 2"_qs, u"الإخلاص : 3"_qs, u"الإخلاص : 4"_qs}));
        QCOMPARE(label("score"), u"4"_qs);
        QCOMPARE(text1(), aya(112, 1).text + u" [الإخلاص : 1]"_qs);
        QVERIFY(child<QToolButton>(w.get(), "allayaasearch")->isEnabled());
    }

    // A click during a fill displays that line at once.
    void clickDuringFill()
    {
        searchLiterally();
        EventYield::setDefaultInterval(0);
        QString shownDuringFill, line;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (w->listing().count() > 3 && line.isEmpty()) {
                select(3);
                line = w->listing().at(3).line;
                shownDuringFill = text1();
            }
        });
        poll.start(0);
        search(u"ا"_qs);
        poll.stop();
        QVERIFY(!line.isEmpty());
        QCOMPARE(shownDuringFill, aya(1, 4).text + u" ["_qs + line + u']');
        QCOMPARE(label("score"), QString::number(w->listing().count()));
        QVERIFY(text1().endsWith(u" [الفاتحة : 1]"_qs));
    }

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

    void searchOptions()
    {
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(dialog->objectName(), u"Form6"_qs);
            QCOMPARE(dialog->windowTitle(), u"خصائص البحث"_qs);
            QVERIFY(child<QRadioButton>(dialog, "allsearch")->isChecked());
            QVERIFY(child<QRadioButton>(dialog, "withother")->isChecked());
            QCOMPARE(child<QComboBox>(dialog, "part")->itemText(0), u"1 "_qs);
            QCOMPARE(child<QComboBox>(dialog, "part")->itemText(29), u"30"_qs);
            QCOMPARE(child<QComboBox>(dialog, "sora")->itemText(72), u"المزمل"_qs);
            QCOMPARE(child<QComboBox>(dialog, "sora")->currentText(), u"اختر إسم السورة"_qs);
            child<QRadioButton>(dialog, "soraop")->setChecked(true);
            child<QRadioButton>(dialog, "alone")->setChecked(true);
            child<QComboBox>(dialog, "sora")->setCurrentIndex(0);
            child<QToolButton>(dialog, "Command1")->click();
        });
        QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(programState().searchtype, qint16(3));
        search(u"الرحمن"_qs);
        QCOMPARE(lines(), QStringList({u"الفاتحة : 1"_qs, u"الفاتحة : 3"_qs}));
        // Reopened: the choices are still there. Closed by its close box:
        // the mode and the selections are gone, the committed scope stays.
        guitest::whenModal([](QWidget *dialog) {
            QVERIFY(child<QRadioButton>(dialog, "soraop")->isChecked());
            QVERIFY(child<QRadioButton>(dialog, "alone")->isChecked());
            QCOMPARE(child<QComboBox>(dialog, "sora")->currentIndex(), 0);
            child<QRadioButton>(dialog, "allsearch")->setChecked(true);
            dialog->close();
        });
        QTest::mouseClick(child<QToolButton>(w.get(), "option"), Qt::LeftButton);
        QTest::qWait(0);
        QCOMPARE(programState().searchtype, qint16(3));
        search(u"الرحمن"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        const SearchOptions fresh = w->optionsWindow()->searchOptions(3);
        QVERIFY(!fresh.singleWord);
        QCOMPARE(fresh.sora, -1);
    }

    // Spelling as typed is one check box away, kept while the window lives;
    // the text searched in is committed with the scope.
    void literalSearchAndTarget()
    {
        search(u"امنوا"_qs);
        const int folded = w->listing().count();
        guitest::whenModal([](QWidget *dialog) {
            auto *literal = child<QCheckBox>(dialog, "literalsearch");
            QCOMPARE(literal->text(), u"بحث حرفي"_qs);
            QCOMPARE(literal->toolTip(), u"يطابق الهمزات والألف المقصورة والتاء المربوطة كما كتبت"_qs);
            QVERIFY(!literal->isChecked());
            literal->setChecked(true);
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
        search(u"امنوا"_qs);
        QVERIFY(w->listing().count() < folded);
        guitest::whenModal([](QWidget *dialog) {
            QVERIFY(child<QCheckBox>(dialog, "literalsearch")->isChecked());
            dialog->close();
        });
        action("tools")->trigger();
        search(u"امنوا"_qs);
        QCOMPARE(w->listing().count(), folded);
    }

    void fontIsAppliedSavedAndReadBack()
    {
        guitest::whenModal([](QWidget *options) {
            guitest::whenModal([](QWidget *dialog) {
                auto *fonts = qobject_cast<QFontDialog *>(dialog);
                QVERIFY(fonts);
                QFont f(u"Amiri"_qs);
                f.setPointSize(18);
                f.setBold(true);
                fonts->setCurrentFont(f);
                fonts->accept();
            });
            child<QToolButton>(options, "Commandfont")->click();
            options->hide();
        });
        action("tools")->trigger();
        QCOMPARE(w->ayaFont().family(), u"Amiri"_qs);
        QFile file(folder->path() + u"/all.txt"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"Amiri\",18,#FALSE#,#TRUE#\r\n"));
        w.reset();
        programState() = ProgramState();
        w = std::make_unique<MainWindow>(folder->path());
        QCOMPARE(w->ayaFont().family(), u"Amiri"_qs);
        QCOMPARE(w->ayaFont().pointSizeF(), 18.0);
        QVERIFY(w->ayaFont().bold());
        QVERIFY(!w->ayaFont().italic());
    }

    // The font stays applied when all.txt cannot be written; the user is told.
    void fontWhenTheFolderIsNotWritable()
    {
        guitest::MessageLog log;
        MainWindow other(folder->path() + u"/missing-folder"_qs);
        guitest::whenModal([](QWidget *options) {
            guitest::whenModal([](QWidget *dialog) {
                QFont f(u"Amiri"_qs);
                f.setPointSize(20);
                qobject_cast<QFontDialog *>(dialog)->setCurrentFont(f);
                qobject_cast<QFontDialog *>(dialog)->accept();
            });
            child<QToolButton>(options, "Commandfont")->click();
            options->hide();
        });
        other.openOptions();
        QCOMPARE(other.ayaFont().family(), u"Amiri"_qs);
        QCOMPARE(other.ayaFont().pointSize(), 20);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(u"all.txt"_qs));
    }

    void chosenList()
    {
        guitest::MessageLog log;
        navigate("searchname", 0);
        auto *addaya = child<QListWidget>(w.get(), "addaya");
        for (int k : {0, 2, 4}) {
            select(k);
            w->addSelectedToChosen();
        }
        select(2);
        QTest::keyClick(results(), Qt::Key_Return);
        QCOMPARE(log.lines(), QStringList({u"زرفان|لقد تمت إضافة هذه الآية سابقا"_qs}));
        QCOMPARE(addaya->count(), 3);
        QCOMPARE(w->chosenList().hideadd, QStringList({u"1"_qs, u"3"_qs, u"5"_qs}));
        addaya->setCurrentRow(1);
        QTest::keyClick(addaya, Qt::Key_Delete);
        QCOMPARE(w->chosenList().addaya, QStringList({u"الفاتحة : 1"_qs, u"الفاتحة : 5"_qs}));
        QCOMPARE(w->chosenList().hideadd, QStringList({u"1"_qs, u"5"_qs}));
        QCOMPARE(addaya->count(), 2);
        QCOMPARE(addaya->item(1)->text(), u"الفاتحة : 5"_qs);
    }

    void nothingChosenBeforeADisplay()
    {
        navigate("searchname", 0);
        child<QPlainTextEdit>(w.get(), "Text1")->clear();
        w->addSelectedToChosen();
        QCOMPARE(w->chosenList().count(), 0);
    }

    void composeChosenAndCopy()
    {
        navigate("searchname", 1);
        select(1);
        w->addSelectedToChosen();
        select(254);
        w->addSelectedToChosen();
        QString composed;
        guitest::whenModal([&](QWidget *dialog) {
            auto *form5 = qobject_cast<ComposeWindow *>(dialog);
            QVERIFY(form5);
            QCOMPARE(form5->windowTitle(), u"إنشاء النص"_qs);
            QTRY_VERIFY(!form5->text().startsWith(u"يرجى الإنتظار"_qs));
            composed = form5->text();
            child<QAction>(form5, "copy")->trigger();
            form5->close();
        });
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(composed, aya(2, 2).text + u" [البقرة : 2]\r\n\r\n"_qs + aya(2, 255).text + u" [البقرة : 255]\r\n\r\n"_qs);
        QCOMPARE(QApplication::clipboard()->text(), composed);
        // Ctrl+C in the main window copies the displayed aya, also from inside a text box.
        child<QPlainTextEdit>(w.get(), "Text1")->setFocus();
        child<QPlainTextEdit>(w.get(), "Text1")->selectAll();
        QTest::keyClick(child<QPlainTextEdit>(w.get(), "Text1"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), aya(2, 255).text + u" [البقرة : 255]"_qs);
    }

    void composeWholeSura()
    {
        guitest::MessageLog log;
        // Right after start: sura 0, an empty text.
        QString composed = u"unset"_qs;
        const auto capture = [&](QWidget *dialog) {
            auto *form5 = qobject_cast<ComposeWindow *>(dialog);
            QTRY_VERIFY(!form5->text().startsWith(u"يرجى الإنتظار"_qs));
            composed = form5->text();
            form5->close();
        };
        guitest::whenModal(capture);
        action("allayaa")->trigger();
        QCOMPARE(composed, QString());
        navigate("searchnumber", 0);
        child<QCheckBox>(w.get(), "Check1")->setChecked(true);
        guitest::whenModal(capture);
        action("allayaa")->trigger();
        QString expected;
        for (int n = 1; n <= 7; ++n)
            expected += aya(1, n).clean + QStringLiteral(" (%1) ").arg(n);
        QCOMPARE(composed, expected);
        search(u"الرحمن"_qs);
        action("allayaa")->trigger();
        navigate("tafsercombo", 29);
        action("allayaa")->trigger();
        QCOMPARE(log.lines(), QStringList({u"خطأ|إن نتائج البحث ليست لسورة واحدة"_qs, u"خطأ|إن نتائج البحث ليست لسورة واحدة"_qs}));
    }

    void copyBeforeAnyDisplay()
    {
        QApplication::clipboard()->setText(u"old"_qs);
        QTest::mouseClick(child<QToolButton>(w.get(), "copytext"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }

    void topicWindow()
    {
        QStringList topLevel;
        QFile file(testutil::dataDir() + u"/topics.tsv"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1)) {
            const QStringList f = line.split(u'\t');
            if (f[1] == u"0")
                topLevel.append(f[2]);
        }
        action("subjects")->trigger();
        action("subjects")->trigger();
        QCOMPARE(w->findChildren<TopicWindow *>().size(), 1);
        TopicWindow *form8 = w->topicWindow();
        auto *mainlist = child<QListWidget>(form8, "mainlist");
        auto *refs = child<QListWidget>(form8, "suraayaalist");
        QStringList shown;
        for (int i = 0; i < mainlist->count(); ++i)
            shown.append(mainlist->item(i)->text());
        QCOMPARE(shown, topLevel);
        // Down to a leaf, whatever the depth.
        int depth = 0;
        while (refs->count() == 0 && depth < 8) {
            mainlist->setCurrentRow(0);
            QTest::keyClick(mainlist, Qt::Key_Return);
            ++depth;
        }
        QVERIFY(depth >= 2);
        QVERIFY(refs->count() > 0);
        QCOMPARE(refs->count(), form8->ayaalistsub().size());
        const QString sura = form8->soralistsub().first();
        QCOMPARE(refs->item(0)->text(), SuraTables::name(sura.toInt()) + u" : ("_qs
                     + QString(form8->ayaalistsub().first()).replace(u',', u' ') + u')');
        refs->setCurrentRow(0);
        QTest::keyClick(refs, Qt::Key_Return);
        QVERIFY(w->listing().count() > 0);
        QCOMPARE(label("score"), QString::number(w->listing().count()));
        QCOMPARE(w->listing().at(0).sura, sura);
        QVERIFY(text1().endsWith(w->listing().at(0).line + u']'));
        QCOMPARE(refs->count(), form8->ayaalistsub().size());
        // Back to the top, twice.
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(child<QListWidget>(form8, "mainsearch")->viewport(), Qt::LeftButton, {},
                              child<QListWidget>(form8, "mainsearch")->visualItemRect(child<QListWidget>(form8, "mainsearch")->item(0)).center());
            QCOMPARE(mainlist->count(), topLevel.size());
            QCOMPARE(refs->count(), 0);
            QVERIFY(child<QListWidget>(form8, "mainsearch")->selectedItems().isEmpty());
        }
        QPointer<TopicWindow> alive(form8);
        w->close();
        QVERIFY(!form8->isVisible());
        QTRY_VERIFY(alive.isNull());
    }

    void auxiliaryWindowsFromTheMenu()
    {
        QStringList opened;
        const auto record = [&](QWidget *dialog) {
            opened.append(dialog->objectName() + u'|' + dialog->windowTitle());
            dialog->close();
        };
        guitest::whenModal(record);
        action("about")->trigger();
        guitest::whenModal(record);
        action("update")->trigger();
        QCOMPARE(opened, QStringList({u"Form2|عن برنامج زرفان"_qs, u"Form4|آخر التحديثات"_qs}));
    }

    // Every line of the aya and tafsir boxes starts at their right edge, also
    // after a font change and when the text wraps.
    void textBoxesStartAtTheRightEdge()
    {
        action("tafser1")->trigger();
        search(u"الله"_qs);
        w->state().setAyaFont(designFont(u"Amiri"_qs, 20));
        select(1);
        for (const char *name : {"Text1", "Text2"}) {
            auto *box = child<QPlainTextEdit>(w.get(), name);
            QVERIFY(box->document()->defaultTextOption().alignment() & Qt::AlignRight);
            QTextCursor cursor(box->document());
            // The first character of the first and of the last line.
            const QRect first = box->cursorRect(cursor);
            cursor.movePosition(QTextCursor::End);
            cursor.movePosition(QTextCursor::StartOfLine);
            const QRect last = box->cursorRect(cursor);
            QVERIFY2(first.x() > box->viewport()->width() - 20, name);
            QVERIFY2(last.x() > box->viewport()->width() - 20, name);
        }
    }

    // Escape puts the options and navigator windows away with their state;
    // Enter on text typed in a navigator box lists nothing.
    void escapeAndEnterInTheSmallWindows()
    {
        guitest::whenModal([](QWidget *dialog) {
            child<QRadioButton>(dialog, "alone")->setChecked(true);
            child<QRadioButton>(dialog, "soraop")->setChecked(true);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        action("tools")->trigger();
        QCOMPARE(programState().searchtype, qint16(0));
        QVERIFY(w->state().searchOptions().singleWord);
        guitest::whenModal([](QWidget *dialog) {
            QVERIFY(child<QRadioButton>(dialog, "alone")->isChecked());
            dialog->close();
        });
        action("tools")->trigger();
        QVERIFY(!w->state().searchOptions().singleWord);

        guitest::whenModal([](QWidget *dialog) {
            auto *name = child<QComboBox>(dialog, "searchname");
            name->setCurrentIndex(3);
            name->lineEdit()->setText(u"البقرة"_qs);
            QTest::keyClick(name->lineEdit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        action("fullsearch")->trigger();
        QCOMPARE(w->listing().count(), 0);
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(child<QComboBox>(dialog, "searchname")->currentIndex(), 3);
            dialog->hide();
        });
        action("fullsearch")->trigger();
    }

    // Ctrl+C in the compose window copies the selection when there is one.
    void composeCopiesTheSelection()
    {
        navigate("searchname", 111);
        select(0);
        w->addSelectedToChosen();
        guitest::whenModal([](QWidget *dialog) {
            auto *text = child<QPlainTextEdit>(dialog, "Text2");
            QTRY_VERIFY(!text->toPlainText().startsWith(u"يرجى"_qs));
            QTextCursor cursor(text->document());
            cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
            text->setTextCursor(cursor);
            QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(), cursor.selectedText());
            text->setTextCursor(QTextCursor(text->document()));
            QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
            QVERIFY(QApplication::clipboard()->text().endsWith(u"[الإخلاص : 1]\r\n\r\n"_qs));
            dialog->close();
        });
        action("chosen")->trigger();
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
        QCOMPARE(log.lines(), QStringList({u"زرفان|نص البحث معقد جدا، يرجى تبسيطه"_qs}));
        QCOMPARE(w->listing().count(), 0);
        QCOMPARE(label("score"), u"0"_qs);
    }

    // The topic window closed, and gone, while it lists a topic's children.
    void topicWindowGoneDuringItsFill()
    {
        QTemporaryDir dir;
        QVERIFY(testutil::makeDatabase(dir.filePath(u"zarfan.zf"_qs), testutil::miniSql()
            + "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 3000) "
              "INSERT INTO topics_name (Topic_No, Topic_Name, Mother_Topic, Topic_NameFolded) SELECT 1000 + x, 'فرع', '20', 'فرع' FROM n;"));
        MainWindow main(dir.path());
        main.openTopics();
        QPointer<TopicWindow> form8 = main.topicWindow();
        auto *list = form8->findChild<QListWidget *>(u"mainlist"_qs);
        list->setCurrentRow(1);
        EventYield::setDefaultInterval(0);
        QTimer::singleShot(0, this, [&] {
            form8->close();
            delete form8;
        });
        form8->openSelectedTopic();
        QVERIFY(!form8);
        QVERIFY(!main.topicWindow());
    }

    // Only a live copy's lock refuses a start.
    void lockFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"lock"_qs);
        for (const QByteArray &content : {QByteArray(), QByteArray("garbage\n\x01\x02")}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            f.close();
            SingleInstance instance(path);
            QVERIFY(instance.isFirst());
        }
        {
            SingleInstance held(path);
            QVERIFY(held.isFirst());
            QVERIFY(!SingleInstance(path).isFirst());
        }
        QVERIFY(SingleInstance(dir.filePath(u"no/such/folder/lock"_qs)).isFirst());
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

    // The distribution follows the listing; a row leads to its first line.
    void distributionOfHits()
    {
        search(u"ا"_qs);
        QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
        auto *window = w->findChild<DistributionWindow *>();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), u"توزيع النتائج"_qs);
        QCOMPARE(int(window->rows().size()), 114);
        int ayas = 0;
        for (const auto &row : window->rows())
            ayas += row.ayas;
        QCOMPARE(ayas, w->listing().count());
        child<QCheckBox>(window, "byjuz")->setChecked(true);
        QCOMPARE(int(window->rows().size()), 30);
        auto *table = child<QTableWidget>(window, "distributionlist");
        table->setCurrentCell(29, 0);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(w->listing().at(results()->currentIndex().row()).line, u"النبأ : 1"_qs);
        navigate("searchname", 0);
        QCOMPARE(int(window->rows().size()), 1);
        QCOMPARE(table->item(0, 2)->text(), u"—"_qs);
    }

    // A topic found by its name opens as if walked to, and its references
    // list the same ayas.
    void topicFilter()
    {
        action("subjects")->trigger();
        TopicWindow *form8 = w->topicWindow();
        auto *mainlist = child<QListWidget>(form8, "mainlist");
        auto *refs = child<QListWidget>(form8, "suraayaalist");
        // A leaf at the third level or deeper, and its path, from the file.
        QHash<QString, QStringList> topics; // number -> parent, name
        QFile file(testutil::dataDir() + u"/topics.tsv"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1))
            topics.insert(line.section(u'\t', 0, 0), {line.section(u'\t', 1, 1), line.section(u'\t', 2)});
        QSet<QString> parents;
        for (const QStringList &t : topics)
            parents.insert(t[0]);
        QStringList path;
        for (auto it = topics.cbegin(); it != topics.cend() && path.size() < 3; ++it) {
            if (parents.contains(it.key()))
                continue;
            path = {it.value()[1]};
            for (QString parent = it.value()[0]; parent != u"0"; parent = topics.value(parent)[0])
                path.prepend(topics.value(parent)[1]);
        }
        QVERIFY(path.size() >= 3);
        for (const QString &name : path) {
            const auto items = mainlist->findItems(name, Qt::MatchExactly);
            QVERIFY2(!items.isEmpty(), qPrintable(name));
            mainlist->setCurrentItem(items.first());
            QTest::keyClick(mainlist, Qt::Key_Return);
        }
        QVERIFY(refs->count() > 0);
        QStringList walked;
        for (int i = 0; i < refs->count(); ++i)
            walked.append(refs->item(i)->text());

        auto *filter = child<QLineEdit>(form8, "topicfilter");
        QCOMPARE(filter->accessibleName(), u"بحث في المواضيع"_qs);
        filter->setText(path.last());
        QVERIFY(refs->count() == 0);
        const auto found = mainlist->findItems(path.join(u" ◄ "_qs), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        mainlist->setCurrentItem(found.first());
        QTest::keyClick(mainlist, Qt::Key_Return);
        QStringList chosen;
        for (int i = 0; i < refs->count(); ++i)
            chosen.append(refs->item(i)->text());
        QCOMPARE(chosen, walked);
        refs->setCurrentRow(0);
        QTest::keyClick(refs, Qt::Key_Return);
        QVERIFY(w->listing().count() > 0);
        filter->clear();
        QCOMPARE(mainlist->count(), 15);
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
        const auto tip = [&](const QString &word) {
            QTextCursor cursor = text1->document()->find(word);
            cursor.setPosition(cursor.selectionStart() + 1);
            const QPoint at = text1->cursorRect(cursor).center();
            QHelpEvent help(QEvent::ToolTip, at, text1->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(text1->viewport(), &help);
            return QToolTip::text();
        };
        QCOMPARE(tip(u"هُدًى"_qs), u"الجذر : هدي    أصل الكلمة : هُدًى"_qs);
        QCOMPARE(tip(u"فِيهِ"_qs), u"الجذر : —    أصل الكلمة : فِى"_qs);
    }

    // What the reader collects and where the window was come back at the
    // next start; a place on a screen that is gone is not used.
    void keptAcrossARestart()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            ReadingState state(folder->path());
            state.setUserStore(&store);
            MainWindow first(state);
            first.show();
            first.openTopics();
            first.topicWindow()->resize(420, 380);
            child<QLineEdit>(&first, "searcht")->setText(u"الصمد"_qs);
            first.runSearch();
            first.addSelectedToChosen();
            child<QLineEdit>(&first, "searcht")->setText(u"1:1"_qs);
            first.runSearch();
            first.addSelectedToChosen();
            child<QAction>(&first, "tafser1")->trigger();
            first.move(30, 40);
            first.close();
        }
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        QCOMPARE(store.history(), QStringList({u"1:1"_qs, u"الصمد"_qs}));
        ReadingState state(folder->path());
        state.setUserStore(&store);
        MainWindow second(state);
        second.show();
        auto *addaya = child<QListWidget>(&second, "addaya");
        QCOMPARE(addaya->count(), 2);
        QCOMPARE(addaya->item(0)->text(), u"الإخلاص : 2"_qs);
        QCOMPARE(state.chosenList().hideadd, QStringList({u"6223"_qs, u"1"_qs}));
        QVERIFY(child<QPlainTextEdit>(&second, "Text2")->isVisible());
        QCOMPARE(second.pos(), QPoint(30, 40));
        second.openTopics();
        QCOMPARE(second.topicWindow()->size(), QSize(420, 380));
        // The history offers earlier texts, spelling folded.
        auto *box = child<QLineEdit>(&second, "searcht");
        box->setText(u"الص"_qs);
        emit box->textEdited(box->text());
        QAbstractItemModel *offered = second.findChild<QCompleter *>()->model();
        QCOMPARE(offered->rowCount(), 1);
        QCOMPARE(offered->index(0, 0).data().toString(), u"الصمد"_qs);
        second.close();

        store.setValue(u"main.geometry"_qs, "50000,50000,700,500");
        MainWindow third(state);
        third.show();
        const QRect screen = third.screen()->geometry();
        QCOMPARE(third.x(), screen.x() + int(screen.width() / 2.0 - third.width() / 2.0));
    }

    // Saving writes the composed text; a folder that is not there fails
    // with a message and writes nothing.
    void saveComposedText()
    {
        navigate("searchname", 111);
        select(0);
        w->addSelectedToChosen();
        QTemporaryDir out;
        guitest::whenModal([&](QWidget *dialog) {
            auto *form5 = qobject_cast<ComposeWindow *>(dialog);
            QTRY_VERIFY(!form5->text().startsWith(u"يرجى"_qs));
            QVERIFY(form5->saveTo(out.filePath(u"a.txt"_qs), false));
            QVERIFY(form5->saveTo(out.filePath(u"a.html"_qs), true));
            QString error;
            QVERIFY(!form5->saveTo(out.filePath(u"missing/b.txt"_qs), false, &error));
            QVERIFY(!error.isEmpty());
            QCOMPARE(child<QAction>(dialog, "save")->shortcut(), QKeySequence(u"Ctrl+S"_qs));
            QCOMPARE(child<QAction>(dialog, "print")->text(), u"طباعة"_qs);
            dialog->close();
        });
        action("chosen")->trigger();
        QFile text(out.filePath(u"a.txt"_qs));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(text.readAll()), aya(112, 1).text + u" [الإخلاص : 1]\r\n\r\n"_qs);
        QVERIFY(!QFileInfo::exists(out.filePath(u"missing"_qs)));
    }

    // Every control a user can reach has a name a screen reader can say.
    void accessibleNames()
    {
        action("subjects")->trigger();
        OptionsWindow *form6 = w->optionsWindow();
        NavigatorWindow form7(w->state(), w.get());
        ComposeWindow form5(w->state(), w.get());
        UpdateWindow form4(w.get());
        AboutWindow form2(w.get());
        NotesWindow form3(w.get());
        const QList<QWidget *> windows{w.get(), form6, &form7, w->topicWindow(), &form5, &form4, &form2, &form3};
        for (QWidget *window : windows) {
            for (QWidget *c : window->findChildren<QWidget *>()) {
                if (c->focusPolicy() == Qt::NoFocus || !c->isVisibleTo(window) || qobject_cast<QMenuBar *>(c)
                    || qobject_cast<QAbstractScrollArea *>(c->parentWidget()) || qobject_cast<QComboBox *>(c->parentWidget()))
                    continue;
                QAccessibleInterface *face = QAccessible::queryAccessibleInterface(c);
                QVERIFY(face);
                QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(window->objectName() + u'.' + c->objectName()));
            }
        }
        for (QAction *a : w->findChildren<QAction *>())
            QVERIFY2(a->objectName().isEmpty() || a->isSeparator() || !a->text().isEmpty(), qPrintable(a->objectName()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
