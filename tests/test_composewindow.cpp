#include "guitest.h"

#include "compose/windows/composewindow.h"
#include "ui/translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTextLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

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

class ComposeWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

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
};

QTEST_MAIN(ComposeWindowTest)
#include "test_composewindow.moc"
