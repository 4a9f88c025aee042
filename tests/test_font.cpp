// The aya font as the reader chooses it: from the menu, through the options
// window, in the real font dialog.
#include "guitest.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QPushButton>
#include <QToolButton>

using namespace zarfan;

class TestFont : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        installFontSubstitutions();
    }

    // Accepted without a change, the dialog keeps the font as it was, though
    // its family (Tahoma) is drawn through a substitute and its size is
    // fractional; a size chosen in it is kept and written to all.txt.
    void dialogOpensAtTheAyaFont()
    {
        programState() = ProgramState();
        guitest::AppFolder folder;
        guitest::MessageLog messages;
        MainWindow w(folder.path());
        w.show();
        const QFont before = w.ayaFont();
        QCOMPARE(before.pointSizeF(), 11.25);
        const QString allTxt = folder.path() + u"/all.txt"_qs;

        QFont shown;
        const auto choose = [&](const std::function<void(QFontDialog *)> &inDialog) {
            guitest::whenModal([&](QWidget *options) {
                guitest::whenModal([&](QWidget *dialog) {
                    QCOMPARE(dialog->objectName(), u"fontDialog"_qs);
                    auto *fonts = qobject_cast<QFontDialog *>(dialog);
                    QVERIFY(fonts);
                    shown = fonts->currentFont();
                    inDialog(fonts);
                    QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
                });
                QTest::mouseClick(guitest::child<QToolButton>(options, "Commandfont"), Qt::LeftButton);
                options->close();
            });
            guitest::child<QAction>(&w, "tools")->trigger();
        };

        choose([](QFontDialog *) {});
        QCOMPARE(shown.family(), QFontInfo(before).family());
        QCOMPARE(shown.pointSize(), 11);
        QCOMPARE(w.ayaFont().family(), before.family());
        QCOMPARE(w.ayaFont().pointSizeF(), 11.25);
        QCOMPARE(w.ayaFont().bold(), before.bold());
        QVERIFY(!QFile::exists(allTxt));

        choose([](QFontDialog *fonts) {
            QFont bigger = fonts->currentFont();
            bigger.setPointSize(20);
            fonts->setCurrentFont(bigger);
        });
        // Only the size changed: the family is the one the reader had.
        QCOMPARE(w.ayaFont().family(), before.family());
        QCOMPARE(w.ayaFont().pointSizeF(), 20.0);
        QFile written(allTxt);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), (u'"' + before.family() + u"\",20,#FALSE#,#FALSE#\r\n"_qs).toUtf8());
        QVERIFY(messages.lines().isEmpty());
    }

    // A bold (and a bold italic) aya font opens in the dialog as it is, and
    // changing only the size keeps family, style and size's new value
    // exactly in all.txt.
    void styleRoundTrips()
    {
        for (const QByteArray &style : {QByteArray("#FALSE#,#TRUE#"), QByteArray("#TRUE#,#TRUE#")}) {
            programState() = ProgramState();
            guitest::AppFolder folder;
            const QString allTxt = folder.path() + u"/all.txt"_qs;
            {
                QFile f(allTxt);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write("\"Tahoma\",14," + style + "\r\n");
            }
            MainWindow w(folder.path());
            w.show();
            QVERIFY(w.ayaFont().bold());
            QFont shown;
            guitest::whenModal([&](QWidget *options) {
                guitest::whenModal([&](QWidget *dialog) {
                    auto *fonts = qobject_cast<QFontDialog *>(dialog);
                    QVERIFY(fonts);
                    shown = fonts->currentFont();
                    QFont bigger = shown;
                    bigger.setPointSize(20);
                    fonts->setCurrentFont(bigger);
                    QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
                });
                QTest::mouseClick(guitest::child<QToolButton>(options, "Commandfont"), Qt::LeftButton);
                options->close();
            });
            guitest::child<QAction>(&w, "tools")->trigger();
            QVERIFY2(shown.bold(), qPrintable(shown.toString()));
            QFile written(allTxt);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), "\"Tahoma\",20," + style + "\r\n");
            QCOMPARE(w.ayaFont().family(), u"Tahoma"_qs);
            QVERIFY(w.ayaFont().bold());
            QCOMPARE(w.ayaFont().italic(), style.startsWith("#TRUE#"));
        }
    }
};

QTEST_MAIN(TestFont)
#include "test_font.moc"
