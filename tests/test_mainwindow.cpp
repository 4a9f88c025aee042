#include "guitest.h"

#include "auxiliary/aboutwindow.h"
#include "khatma/khatmawindow.h"
#include "auxiliary/noteswindow.h"
#include "auxiliary/updatewindow.h"
#include "state/listingfill.h"
#include "browse/suratables.h"
#include "compose/composewindow.h"
#include "navigator/navigatorwindow.h"
#include "search/arabicfolding.h"
#include "search/resultstextwindow.h"
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
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
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

namespace {
// True when the characters of part, inside text laid out right to left,
// stand left to right on screen.
bool runsLeftToRight(const QString &text, const QString &part)
{
    QTextLayout layout(text, QFont());
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(10000);
    layout.endLayout();
    const int from = int(text.indexOf(part));
    for (int i = from + 1; i + 1 < from + part.size(); ++i) {
        if (!(line.cursorToX(i) < line.cursorToX(i + 1)))
            return false;
    }
    return from >= 0;
}
} // namespace

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
    // A point on a word of the aya box, as the pointer rests there.
    QPoint pointOn(const QString &word)
    {
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        QTextCursor cursor = text1->document()->find(word);
        cursor.setPosition(cursor.selectionStart() + 1);
        return text1->cursorRect(cursor).center();
    }
    QString toolTipOn(const QString &word)
    {
        QWidget *viewport = child<QPlainTextEdit>(w.get(), "Text1")->viewport();
        const QPoint at = pointOn(word);
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &help);
        return QToolTip::text();
    }
    // Opens the aya box's context menu on a word and picks an item by its
    // text with the keyboard.
    void chooseOnWord(const QString &word, const QString &item)
    {
        QTimer::singleShot(0, [item] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *a : menu->actions())
                if (a->text() == item)
                    menu->setActiveAction(a);
            QVERIFY(menu->activeAction() && menu->activeAction()->text() == item);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget *viewport = child<QPlainTextEdit>(w.get(), "Text1")->viewport();
        const QPoint at = pointOn(word);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &event);
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
            {"about", "عن البرنامج", ""}, {"update", "تحديث", ""}, {"copy", "نسخ النص", "Ctrl+C"}, {"tools", "tools", "Ctrl+T"},
            {"readingwindow", "نافذة القراءة", "Ctrl+R"}, {"continuereading", "متابعة القراءة", "Ctrl+Shift+R"},
            {"zoomin", "تكبير الخط", "Ctrl+="}, {"zoomout", "تصغير الخط", "Ctrl+-"}, {"zoomreset", "الحجم الأصلي", "Ctrl+0"},
            {"themelight", "فاتح", ""}, {"themepaper", "ورقي", ""}, {"themedark", "داكن", ""}};
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
                                   u"دليل مواضيع القرآن الكريم"_qs, u"مساعدة"_qs, u"أدوات البحث"_qs, u"القراءة"_qs,
                                   u"التلاوة"_qs, u"خواطري"_qs}));
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

    // A program folder the reader cannot write: the font goes to the reader's
    // own all.txt, read first from then on. Where neither can be written, the
    // font stays for the session and the reader is told.
    void fontWhenTheFolderIsNotWritable()
    {
        guitest::MessageLog log;
        QTemporaryDir userFolder;
        const QByteArray savedUserData = qgetenv("ZARFAN_USER_DATA");
        const auto restore = qScopeGuard([&] { qputenv("ZARFAN_USER_DATA", savedUserData); });
        qputenv("ZARFAN_USER_DATA", userFolder.path().toUtf8());
        const auto choose = [](MainWindow &window, int size) {
            guitest::whenModal([size](QWidget *options) {
                guitest::whenModal([size](QWidget *dialog) {
                    QFont f(u"Amiri"_qs);
                    f.setPointSize(size);
                    qobject_cast<QFontDialog *>(dialog)->setCurrentFont(f);
                    qobject_cast<QFontDialog *>(dialog)->accept();
                });
                child<QToolButton>(options, "Commandfont")->click();
                options->hide();
            });
            window.openOptions();
        };
        const QString readOnly = folder->path() + u"/missing-folder"_qs;
        {
            MainWindow first(readOnly);
            choose(first, 20);
            QVERIFY(log.lines().isEmpty());
        }
        MainWindow other(readOnly);
        QCOMPARE(other.ayaFont().family(), u"Amiri"_qs);
        QCOMPARE(other.ayaFont().pointSize(), 20);
        qputenv("ZARFAN_USER_DATA", "/dev/null/none");
        choose(other, 22);
        QCOMPARE(other.ayaFont().pointSize(), 22);
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

    // Text typed in a navigator box and left by Escape, Tab or the close box
    // lists nothing; an item chosen from the list does.
    void navigatorTypedTextListsNothing()
    {
        for (const auto &[typed, leave] : {std::pair{u"مريم"_qs, 0}, std::pair{u"طه"_qs, 1}, std::pair{u"يوسف"_qs, 2}}) {
            guitest::whenModal([&, typed, leave](QWidget *dialog) {
                auto *name = child<QComboBox>(dialog, "searchname");
                name->setFocus();
                name->lineEdit()->selectAll();
                // Key by key, as typed on an Arabic layout.
                for (const QChar c : typed)
                    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QCOMPARE(name->currentText(), typed);
                if (leave == 0) {
                    QTest::keyClick(name, Qt::Key_Escape);
                } else if (leave == 1) {
                    QTest::keyClick(name, Qt::Key_Tab);
                    QVERIFY(!name->hasFocus());
                    QCOMPARE(w->listing().count(), 0);
                    dialog->hide();
                } else {
                    dialog->close();
                }
                QVERIFY(!dialog->isVisible());
            });
            action("fullsearch")->trigger();
            QCOMPARE(w->listing().count(), 0);
        }
        guitest::whenModal([](QWidget *dialog) {
            auto *name = child<QComboBox>(dialog, "searchname");
            name->showPopup();
            QAbstractItemView *view = name->view();
            const QModelIndex sura = view->model()->index(18, 0);
            view->scrollTo(sura);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(sura).center());
        });
        action("fullsearch")->trigger();
        QCOMPARE(lines().value(0), u"مريم : 1"_qs);
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
        QCOMPARE(log.lines().join(u"##"_qs), u"زرفان|نص البحث معقد جدا، يرجى تبسيطه"_qs);
        QCOMPARE(w->listing().count(), 0);
        QCOMPARE(label("score"), u"0"_qs);
    }

    // The topic window closed by its close box, or with the main window,
    // while a double click walks a topic's children: it goes only once the
    // double click's handlers have returned.
    void topicWindowClosedDuringItsWalk()
    {
        QTemporaryDir dir;
        QVERIFY(testutil::makeDatabase(dir.filePath(u"zarfan.zf"_qs), testutil::miniSql()
            + "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 3000) "
              "INSERT INTO topics_name (Topic_No, Topic_Name, Mother_Topic, Topic_NameFolded) SELECT 1000 + x, 'فرع', '20', 'فرع' FROM n;"));
        EventYield::setDefaultInterval(0);
        for (const bool closeMain : {false, true}) {
            MainWindow main(dir.path());
            main.show();
            main.openTopics();
            QPointer<TopicWindow> form8 = main.topicWindow();
            QVERIFY(QTest::qWaitForWindowExposed(form8));
            auto *list = form8->findChild<QListWidget *>(u"mainlist"_qs);
            const QPoint at = list->visualItemRect(list->item(1)).center();
            // A real double click: press, release, then the double click.
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            QTimer::singleShot(0, this, [&] {
                if (closeMain)
                    main.close();
                else if (form8)
                    form8->close();
            });
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            QVERIFY(form8);
            QVERIFY(!form8->isVisible());
            QVERIFY(list->count() < 3000);
            QTRY_VERIFY(!form8);
            QVERIFY(!main.topicWindow());
        }
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

    // A refill keeps the columns' shares, lets the selection follow its sura
    // or go, and the selected row's bar stays visible.
    void distributionAfterARefill()
    {
        search(u"الله"_qs);
        QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
        auto *window = w->findChild<DistributionWindow *>();
        auto *table = child<QTableWidget>(window, "distributionlist");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto widths = [&] {
            QList<int> out;
            for (int c = 0; c < 4; ++c)
                out.append(table->columnWidth(c));
            return out;
        };
        const QList<int> before = widths();
        QVERIFY(before[3] > table->viewport()->width() / 5);
        const auto rowOf = [&](const QString &label) {
            for (int r = 0; r < table->rowCount(); ++r)
                if (table->item(r, 0)->text() == label)
                    return r;
            return -1;
        };
        const auto clickRow = [&](int row) {
            table->scrollTo(table->model()->index(row, 1));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 1)).center());
        };
        const int baqara = rowOf(SuraTables::name(2));
        clickRow(baqara);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        // The most occurrences: its bar fills the cell, drawn over the selection.
        const int most = int(std::max_element(window->rows().begin(), window->rows().end(),
                                              [](const auto &a, const auto &b) { return a.occurrences < b.occurrences; })
                             - window->rows().begin());
        clickRow(most);
        const QRect cell = table->visualRect(table->model()->index(most, 3));
        const QImage shot = table->viewport()->grab().toImage();
        QVERIFY(shot.pixelColor(cell.center()) != shot.pixelColor(QPoint(cell.center().x(), cell.top() + 1)));
        clickRow(baqara);
        search(u"الرحمن"_qs);
        QCOMPARE(widths(), before);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(table->item(table->currentRow(), 0)->text(), SuraTables::name(2));
        search(u"الصمد"_qs);
        QVERIFY(!table->selectionModel()->hasSelection());
        QCOMPARE(widths(), before);
    }

    // A topic found by its name opens as if walked to, and its references
    // list the same ayas.
    void topicFilter()
    {
        action("subjects")->trigger();
        TopicWindow *form8 = w->topicWindow();
        auto *mainlist = child<QListWidget>(form8, "mainlist");
        auto *refs = child<QListWidget>(form8, "suraayaalist");
        // The first leaf, by number, at the third level or deeper whose path
        // names no other topic (the data names two topics twice), from the file.
        QMap<int, QStringList> topics; // number -> parent, name
        QFile file(testutil::dataDir() + u"/topics.tsv"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1))
            topics.insert(line.section(u'\t', 0, 0).toInt(), {line.section(u'\t', 1, 1), line.section(u'\t', 2)});
        QSet<int> parents;
        QMap<int, QStringList> paths;
        QHash<QString, int> named;
        for (auto it = topics.cbegin(); it != topics.cend(); ++it) {
            parents.insert(it.value()[0].toInt());
            QStringList &p = paths[it.key()];
            for (int k = it.key(); k != 0; k = topics.value(k)[0].toInt())
                p.prepend(topics.value(k)[1]);
            ++named[p.join(u" ◄ "_qs)];
        }
        QStringList path;
        for (auto it = paths.cbegin(); it != paths.cend() && path.isEmpty(); ++it) {
            if (!parents.contains(it.key()) && it.value().size() >= 3 && named.value(it.value().join(u" ◄ "_qs)) == 1)
                path = it.value();
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
        QCOMPARE(toolTipOn(u"هُدًى"_qs), u"الجذر : هدي    أصل الكلمة : هُدًى"_qs);
        QCOMPARE(toolTipOn(u"فِيهِ"_qs), u"الجذر : —    أصل الكلمة : فِى"_qs);
        QVERIFY(child<QLabel>(w.get(), "statusCounts")->text().endsWith(u"    الجذر : كتب"_qs));
        // A word of two lemmas shows both.
        search(u"2:3"_qs);
        QCOMPARE(toolTipOn(aya(2, 3).text.section(u' ', 5, 5)), u"الجذر : —    أصل الكلمة : مِن + مَا"_qs);
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

    // The reference after the aya never wraps inside its brackets, at any
    // width; the copy button and Ctrl+C give the text as it is.
    void referenceNeverWrapsInside()
    {
        search(u"2:282"_qs);
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        const QString original = aya(2, 282).text + u" [البقرة : 282]"_qs;
        const qsizetype open = original.lastIndexOf(u'['), close = original.size() - 1;
        const auto top = [&](qsizetype position) {
            QTextCursor cursor(text1->document());
            cursor.setPosition(int(position));
            return text1->cursorRect(cursor).top();
        };
        for (int width = 120; width <= 480; width += 3) {
            text1->resize(width, text1->height());
            QVERIFY2(top(open + 1) == top(close), qPrintable(QString::number(width)));
        }
        QTest::mouseClick(child<QToolButton>(w.get(), "copytext"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), original);
        QApplication::clipboard()->clear();
        QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), original);
    }

    // What the reader collects and where the window was come back at the
    // next start; a place on a screen that is gone is not used.
    void keptAcrossARestart()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            guitest::StoredState stored(folder->path(), path);
            ReadingState &state = stored.state;
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
            child<QAction>(&first, "resultstext")->trigger();
            first.findChild<ResultsTextWindow *>()->resize(410, 330);
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
        child<QAction>(&second, "resultstext")->trigger();
        QCOMPARE(second.findChild<ResultsTextWindow *>()->size(), QSize(410, 330));
        // The history offers earlier texts, spelling folded.
        auto *box = child<QLineEdit>(&second, "searcht");
        box->setText(u"الص"_qs);
        emit box->textEdited(box->text());
        QAbstractItemModel *offered = second.findChild<QCompleter *>()->model();
        QCOMPARE(offered->rowCount(), 1);
        QCOMPARE(offered->index(0, 0).data().toString(), u"الصمد"_qs);
        second.close();

        // Bigger than the screen: neither the place nor the sizes are used.
        store.setValue(u"main.geometry"_qs, "2000,0,2800,1900");
        store.setValue(u"topics.size"_qs, "65535,65535");
        MainWindow third(state);
        third.show();
        const QRect screen = third.screen()->geometry();
        QVERIFY(third.width() < 2800);
        QCOMPARE(third.x(), screen.x() + int(screen.width() / 2.0 - third.width() / 2.0));
        third.openTopics();
        QVERIFY(third.topicWindow()->width() <= screen.width());
    }

    // Saving as a name without extension asks about the file it writes;
    // saving and printing wait for the composed text.
    void composeSaveAsksAboutTheWrittenFile()
    {
        navigate("searchname", 1);
        select(1);
        w->addSelectedToChosen();
        QTemporaryDir out;
        QFile existing(out.filePath(u"notes.txt"_qs));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("kept");
        existing.close();
        QStringList asked;
        bool disabledWhileComposing = false, openedEarly = false;
        guitest::whenModal([&](QWidget *dialog) {
            auto *form5 = qobject_cast<ComposeWindow *>(dialog);
            auto *save = child<QAction>(dialog, "save");
            // Ctrl+S before the text is composed opens nothing.
            QVERIFY(form5->text().startsWith(u"يرجى"_qs));
            disabledWhileComposing = !save->isEnabled() && !child<QAction>(dialog, "print")->isEnabled();
            QTimer::singleShot(0, [&] {
                if (QWidget *other = QApplication::activeModalWidget(); other && other != dialog) {
                    openedEarly = true;
                    other->close();
                }
            });
            QTest::keyClick(dialog, Qt::Key_S, Qt::ControlModifier);
            QTRY_VERIFY(!form5->text().startsWith(u"يرجى"_qs));
            QVERIFY(save->isEnabled());
            guitest::whenModal([&](QWidget *files) {
                auto *name = files->findChild<QLineEdit *>(u"fileNameEdit"_qs);
                QVERIFY(name);
                name->setText(out.filePath(u"notes"_qs));
                guitest::whenModal([&](QWidget *question) {
                    for (QLabel *label : question->findChildren<QLabel *>())
                        asked.append(label->text());
                    QTest::keyClick(question, Qt::Key_Escape);
                });
                QTest::keyClick(name, Qt::Key_Return);
            });
            QTest::keyClick(dialog, Qt::Key_S, Qt::ControlModifier);
            dialog->close();
        });
        action("chosen")->trigger();
        QVERIFY(disabledWhileComposing);
        QVERIFY(!openedEarly);
        QVERIFY2(asked.join(u'|').contains(QDir::toNativeSeparators(out.filePath(u"notes.txt"_qs))), qPrintable(asked.join(u'|')));
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("kept"));
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
            // The save dialog: Qt's own texts in Arabic, the filters reading right.
            guitest::whenModal([&](QWidget *d) {
                auto *files = qobject_cast<QFileDialog *>(d);
                QVERIFY(files);
                const QString shown = files->findChild<QComboBox *>(u"fileTypeCombo"_qs)->itemText(0);
                QCOMPARE(QString(shown).remove(QChar(0x200E)), u"نص (*.txt)"_qs);
                QVERIFY(runsLeftToRight(shown, u"(*.txt)"_qs));
                if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ar.qm"_qs))
                    QVERIFY(files->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text().contains(
                        QRegularExpression(u"[\\x{0621}-\\x{064A}]"_qs)));
                files->selectFile(out.filePath(u"c"_qs));
                QTest::keyClick(files->findChild<QLineEdit *>(u"fileNameEdit"_qs), Qt::Key_Return);
            });
            child<QAction>(dialog, "save")->trigger();
            QVERIFY(QFile::exists(out.filePath(u"c.txt"_qs)));
            dialog->close();
        });
        installQtTranslation();
        action("chosen")->trigger();
        QFile text(out.filePath(u"a.txt"_qs));
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(text.readAll()), aya(112, 1).text + u" [الإخلاص : 1]\r\n\r\n"_qs);
        QVERIFY(!QFileInfo::exists(out.filePath(u"missing"_qs)));
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

    // A separator in a menu is a line without text.
    void menuSeparators()
    {
        int separators = 0;
        for (QMenu *menu : w->findChildren<QMenu *>()) {
            for (QAction *a : menu->actions()) {
                if (a->isSeparator()) {
                    ++separators;
                    QVERIFY2(a->text().isEmpty(), qPrintable(a->objectName()));
                }
            }
        }
        QVERIFY(separators >= 2);
    }

    // On a first start every menu shows in the bar, none behind its
    // overflow button.
    void everyMenuInTheBarAtFirstStart()
    {
        QTemporaryDir data;
        guitest::StoredState stored(folder->path(), data.filePath(u"user.db"_qs));
        MainWindow window(stored.state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenuBar *bar = window.menuBar();
        QVERIFY(!child<QToolButton>(bar, "qt_menubar_ext_button")->isVisible());
        for (QAction *menu : bar->actions())
            QVERIFY2(bar->rect().contains(bar->actionGeometry(menu)), qPrintable(menu->text()));
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
        KhatmaWindow khatma(w->state().khatma(), w.get());
        const QList<QWidget *> windows{w.get(), form6, &form7, w->topicWindow(), &form5, &form4, &form2, &form3, &khatma};
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
