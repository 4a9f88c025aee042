#include "guitest.h"

#include "search/windows/optionswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QRadioButton>
#include <QToolButton>

using namespace zarfan;
using guitest::child;

class OptionsWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

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
};

QTEST_MAIN(OptionsWindowTest)
#include "test_optionswindow.moc"
