#include "readingtest.h"
#include "browse/suratables.h"
#include "data/connectionstring.h"
#include "data/userstore.h"
#include "guitest.h"
#include "reading/mushafpage.h"
#include "reading/windows/mushafview.h"
#include "reading/printedpage.h"
#include "reading/windows/readingcommands.h"
#include "reading/readingview.h"
#include "reading/windows/readingwindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QProcess>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QAccessible>
#include <QSignalSpy>

using namespace zarfan;
using guitest::child;

using namespace readingtest;

class ReadingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepare(); }

    void pagesAsPrinted()
    {
        MushafReader reader(buildConnectionString(testutil::realDbFolder()));
        // Page 1: Al-Fatiha, its basmala is its first aya, not a line of its own.
        MushafPage p = reader.page(1, Script::Imlaei);
        QCOMPARE(int(p.ayas.size()), 7);
        QCOMPARE(p.headingBlocks, QList<int>({0}));
        QVERIFY(p.basmalaBlocks.isEmpty());
        QCOMPARE(block(p, 0), u"سورة "_qs + SuraTables::name(1));
        QVERIFY(p.text.endsWith(u"﴿٧﴾"_qs));
        QCOMPARE(p.label, u"الجزء : 1    الحزب : 1    الربع : 1    السورة : "_qs + SuraTables::name(1));

        // The last page: three suras, each with heading and basmala.
        p = reader.page(604, Script::Uthmani);
        QCOMPARE(p.headingBlocks, QList<int>({0, 3, 6}));
        QCOMPARE(p.basmalaBlocks, QList<int>({1, 4, 7}));
        QCOMPARE(p.ayas.back().sura, 114);
        QCOMPARE(p.ayas.back().aya, 6);
        // Shown as Tanzil wrote it, not normalised.
        QVERIFY(p.text.contains(uthmaniSource(114, 6) + u"\u00A0﴿٦﴾"_qs));

        // A page that starts inside a sura: no heading, the label of its first aya.
        p = reader.page(42, Script::Imlaei);
        QVERIFY(p.headingBlocks.isEmpty());
        QCOMPARE(p.ayas.front().sura, 2);
        QVERIFY(p.find(262)); // 2:255
        QCOMPARE(p.text.mid(p.find(262)->wordsEnd, 6), u"\u00A0﴿٢٥٥﴾"_qs);
        QVERIFY(p.label.startsWith(u"الجزء : 3    الحزب : 5    الربع : 1"_qs));

        // Sura 9 has a heading and no basmala.
        p = reader.page(187, Script::Imlaei);
        const int tawba = p.headingBlocks.last();
        QCOMPARE(block(p, tawba), u"سورة "_qs + SuraTables::name(9));
        QVERIFY(!p.basmalaBlocks.contains(tawba + 1));

        // Suras 95 and 96 on one page: Tanzil's two Uthmani forms of the basmala.
        p = reader.page(597, Script::Uthmani);
        QCOMPARE(p.basmalaBlocks.size(), 2);
        const QString basmala95 = block(p, p.basmalaBlocks[0]), basmala96 = block(p, p.basmalaBlocks[1]);
        QCOMPARE(basmala96, uthmaniSource(1, 1));
        QCOMPARE(basmala95, uthmaniSource(1, 1).insert(2, QChar(0x0651)));

        // The sajda ayas: the sign in the text and the kind in the label.
        p = reader.page(176, Script::Imlaei);
        QVERIFY(p.label.endsWith(u"    سجدة مستحبة"_qs));
        QVERIFY(p.text.mid(p.find(1160)->start, p.find(1160)->wordsEnd - p.find(1160)->start).endsWith(QChar(0x06E9)));
        QCOMPARE(reader.page(reader.pageOf(3518), Script::Uthmani).label.right(10), u"سجدة واجبة"_qs); // 32:15
        QCOMPARE(reader.page(999, Script::Imlaei).number, 604);

        // 2:104 starts "يا أيها" in two words, one in the Uthmani script: a
        // searched word is still marked on the word that spells it.
        p = reader.page(reader.pageOf(111), Script::Uthmani);
        const QStringList uthmani = uthmaniSource(2, 104).split(u' ');
        const auto markedOn = [&](const QString &sought) {
            QStringList marked;
            for (const TextRange &r : matchedRanges(p, SearchMatch{sought}, {}))
                marked.append(p.text.mid(r.start, r.length));
            return marked;
        };
        QCOMPARE(markedOn(u"راعنا"_qs), QStringList({uthmani.at(5)}));
        QCOMPARE(markedOn(u"ايها"_qs), QStringList({uthmani.at(0)}));
        QCOMPARE(markedOn(u"للكافرين"_qs), QStringList({uthmani.at(10)}));
        // A long aya of the kind (2:61): the word alone, not its neighbour.
        p = reader.page(reader.pageOf(68), Script::Uthmani);
        QCOMPARE(markedOn(u"سالتم"_qs), QStringList({uthmaniSource(2, 61).split(u' ').at(37)}));
        // "قال يا ابن أم" is two Uthmani words (20:94): "يا" goes with the second.
        p = reader.page(reader.pageOf(2442), Script::Uthmani);
        const QStringList harun = uthmaniSource(20, 94).split(u' ');
        QVERIFY(markedOn(u"يا"_qs).contains(harun.at(1)) && !markedOn(u"يا"_qs).contains(harun.at(0)));
    }

    void zoomAndThemes()
    {
        QCOMPARE(Zoom::step(100, 1), 110);
        QCOMPARE(Zoom::step(300, 1), 300);
        QCOMPARE(Zoom::step(50, -1), 50);
        QCOMPARE(Zoom::step(125, -1), 120);
        QCOMPARE(Zoom::apply(QFont(u"Amiri"_qs, 20), 150).pointSizeF(), 30.0);
        for (const Theme theme : {Theme::Paper, Theme::Dark}) {
            const QPalette p = themePalette(theme, QPalette());
            QVERIFY(contrastRatio(p.color(QPalette::Text), p.color(QPalette::Base)) >= 4.5);
            QVERIFY(contrastRatio(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)) >= 4.5);
            QVERIFY(contrastRatio(p.color(QPalette::Link), p.color(QPalette::Base)) >= 4.5);
        }
        QVERIFY(themePalette(Theme::Dark, QPalette()).color(QPalette::Base).lightness() < 60);
    }

    // The printed lines as the data file gives them, in both scripts.
    void printedPagesAsTheData()
    {
        QFile f(testutil::dataDir() + u"/mushaf-lines.tsv"_qs);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QHash<int, QStringList> rows;
        f.readLine();
        while (!f.atEnd()) {
            const QStringList c = QString::fromUtf8(f.readLine()).trimmed().split(u'\t');
            rows[c[0].toInt()].append(c.mid(2).join(u' ').trimmed());
        }
        PrintedPageReader reader(buildConnectionString(testutil::realDbFolder()));
        for (const int number : {1, 2, 76, 187, 604}) {
            for (const Script script : {Script::Uthmani, Script::Imlaei}) {
                const PrintedPage page = reader.page(number, script);
                QCOMPARE(page.lines.size(), rows[number].size());
                PageWord previous;
                for (int j = 0; j < page.lines.size(); ++j) {
                    const PrintedLine &line = page.lines[j];
                    const QString kind = line.kind == PrintedLine::Text ? u"text"_qs
                        : line.kind == PrintedLine::Heading             ? u"sura"_qs
                                                                        : u"basmala"_qs;
                    QString seen = kind + u' ' + QString::number(line.sura);
                    if (line.kind == PrintedLine::Text) {
                        QVERIFY(!line.items.isEmpty());
                        // An end mark never begins a line apart from its aya.
                        QVERIFY(!line.items.first().endMark());
                        QVERIFY(line.items.last().endMark() || line.items.last().word.word > 0);
                        QList<PageWord> words;
                        for (const PrintedItem &item : line.items) {
                            if (!item.endMark())
                                words.append(item.word);
                            else
                                QCOMPARE(item.text, QChar(0x06DD) + arabicIndicNumber(item.word.aya));
                        }
                        seen += u' ' + wordRef(words.first()) + u' ' + wordRef(words.last());
                        // Words follow each other one by one within an aya.
                        for (const PageWord &w : words) {
                            if (previous.aya == w.aya && previous.sura == w.sura)
                                QCOMPARE(w.word, previous.word + 1);
                            previous = w;
                        }
                    } else {
                        QCOMPARE(line.text, line.kind == PrintedLine::Heading ? u"سورة "_qs + SuraTables::name(line.sura) : line.text);
                        seen = kind + u' ' + QString::number(line.sura);
                    }
                    if (script == Script::Uthmani)
                        QCOMPARE(seen, rows[number][j]);
                    else
                        QCOMPARE(seen.section(u' ', 0, 1), rows[number][j].section(u' ', 0, 1));
                }
            }
        }
        const PrintedPage last = reader.page(604, Script::Uthmani);
        QCOMPARE(last.lines.last().items.last().text, u"\u06DD٦"_qs);
        QCOMPARE(reader.page(76, Script::Uthmani).lines.last().kind, PrintedLine::Heading);
        QCOMPARE(reader.page(187, Script::Uthmani).sura, 9);
        // The continuous page joins each end mark to its aya.
        MushafReader continuous(buildConnectionString(testutil::realDbFolder()));
        QVERIFY(!continuous.page(50, Script::Imlaei).text.contains(u" ﴿"_qs));
        QVERIFY(continuous.page(50, Script::Imlaei).text.contains(QChar(0x00A0) + u"﴿"_qs));
    }

    // Every text line fills its column within 1 % and none runs over, at a
    // narrow and a wide window, in both scripts.
    void printedLinesJustified()
    {
        PrintedPageReader reader(buildConnectionString(testutil::realDbFolder()));
        MushafView view;
        view.setQuranFont(QFont(QString::fromLatin1(ReadingWindow::kQuranFont)));
        view.show();
        for (const Script script : {Script::Uthmani, Script::Imlaei}) {
            for (int number = 1; number <= 604; ++number) {
                view.setPages({reader.page(number, script)});
                for (const QSize size : {QSize(180, 240), QSize(2600, 1500)}) {
                    view.resize(size);
                    int justified = 0;
                    for (const MushafView::LineBox &box : view.lineBoxes()) {
                        const double slack = box.column.width() * 0.001;
                        QVERIFY2(box.ink.left() >= box.column.left() - slack && box.ink.right() <= box.column.right() + slack,
                                 qPrintable(QStringLiteral("page %1 overflows").arg(number)));
                        if (box.justified) {
                            ++justified;
                            QVERIFY2(qAbs(box.ink.width() - box.column.width()) <= box.column.width() * 0.01,
                                     qPrintable(QStringLiteral("page %1").arg(number)));
                        }
                    }
                    if (number > 2)
                        QVERIFY2(justified >= 4, qPrintable(QStringLiteral("page %1").arg(number)));
                }
            }
        }
    }

    // A word is found where it is drawn; a veil hides words from the eye and
    // from a screen reader alike.
    void printedWordsHitAndVeiled()
    {
        PrintedPageReader reader(buildConnectionString(testutil::realDbFolder()));
        const PrintedPage page = reader.page(50, Script::Uthmani);
        MushafView view;
        view.setPages({page});
        view.resize(700, 1000);
        view.show();
        const QList<PageWord> words = view.pageWords();
        QCOMPARE(words, page.words());
        QVERIFY(words.size() > 100);
        for (const PageWord &w : words) {
            const QRectF r = view.wordRect(w);
            QVERIFY(!r.isEmpty());
            QCOMPARE(view.wordAt(r.center().toPoint()), std::optional<PageWord>(w));
        }
        QCOMPARE(view.wordAt(QPoint(1, 1)), std::nullopt);
        const QStringList lines = view.lineTexts();
        QCOMPARE(lines.size(), 15);
        // Page 50 opens with sura 3's heading and basmala: line 3 is its first of words.
        QCOMPARE(page.lines[2].kind, PrintedLine::Text);
        const QList<PrintedItem> &items = page.lines[2].items;
        QVERIFY(items.size() > 5 && !items[3].endMark() && !items[4].endMark());
        RecordingVeil veil;
        veil.hidden = {items[3].word};
        veil.firstLetter = {items[4].word};
        view.setVeil(&veil);
        view.grab();
        QCOMPARE(veil.asked, words);
        const QString whole = items[3].text, initial = items[4].text;
        const QString veiled = view.lineTexts().at(2);
        QVERIFY(lines[2].contains(whole) && !veiled.contains(whole));
        QVERIFY(!veiled.contains(initial));
        QVERIFY(veiled.contains(u' ' + initial.left(1)));
        QCOMPARE(view.lineTexts().mid(3), lines.mid(3));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(iface && iface->textInterface());
        QCOMPARE(iface->textInterface()->text(0, iface->textInterface()->characterCount()), view.accessibleText());
        view.setVeil(nullptr);
        QCOMPARE(view.lineTexts(), lines);
    }
};

QTEST_MAIN(ReadingTest)
#include "test_reading.moc"
