#include "browse/suratables.h"
#include "data/connectionstring.h"
#include "guitest.h"
#include "reading/windows/mushafview.h"
#include "reading/windows/pageview.h"
#include "reading/printedpage.h"
#include "reading/windows/readingcommands.h"
#include "reading/readingview.h"
#include "reading/windows/readingwindow.h"
#include "reading/tajweed.h"
#include "reading/tajweedglyphs.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QRawFont>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>

using namespace zarfan;
using guitest::child;

namespace {

// A span as tajweed.tsv gives it.
struct Fixture {
    int sura = 0, aya = 0, start = 0, end = 0;
    QString rule;
    int page = 0;
    int ayaId = 0;
};

// The first span of a rule in an aya, read from the data file.
Fixture fixture(int sura, int aya, const QString &rule, int page)
{
    QFile f(testutil::dataDir() + u"/tajweed.tsv"_qs);
    f.open(QIODevice::ReadOnly);
    const QString prefix = QStringLiteral("%1\t%2\t").arg(sura).arg(aya);
    while (!f.atEnd()) {
        const QStringList c = QString::fromUtf8(f.readLine()).chopped(1).split(u'\t');
        if (c.size() == 5 && c[0].toInt() == sura && c[1].toInt() == aya && c[4] == rule) {
            int id = aya;
            for (int s = 1; s < sura; ++s)
                id += SuraTables::ayaCount(s);
            return {sura, aya, c[2].toInt(), c[3].toInt(), rule, page, id};
        }
    }
    return {};
}

QList<Fixture> fixtures()
{
    return {fixture(1, 7, u"madd_6"_qs, 1), fixture(2, 5, u"idghaam_no_ghunnah"_qs, 2), fixture(2, 27, u"iqlab"_qs, 5),
            fixture(18, 54, u"qalqalah"_qs, 300), fixture(113, 4, u"ghunnah"_qs, 604)};
}

QColor colourOf(const Fixture &f, const QPalette &palette)
{
    return tajweedColour(tajweedRules()[tajweedRuleIndex(f.rule)].cls, palette);
}

bool near(QRgb a, const QColor &b)
{
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) + std::abs(qBlue(a) - b.blue()) < 60;
}

// Pixels of a colour inside a rectangle of an image.
int pixelsOf(const QImage &image, const QRectF &rect, const QColor &colour)
{
    int n = 0;
    const QRect r = rect.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += near(image.pixel(x, y), colour);
    return n;
}

// The printed piece of the word holding a span.
const PrintedItem *itemOf(const QList<PrintedPage> &pages, const Fixture &f)
{
    for (const PrintedPage &p : pages)
        for (const PrintedLine &l : p.lines)
            for (const PrintedItem &i : l.items)
                if (i.ayaId == f.ayaId && i.start >= 0 && i.start <= f.start && f.start < i.start + i.text.size())
                    return &i;
    return nullptr;
}

// The reading window from its item in the menu "القراءة".
ReadingWindow *openReading(MainWindow &w)
{
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return nullptr;
    w.findChild<QAction *>(u"readingwindow"_qs)->trigger();
    ReadingWindow *r = w.readingCommands()->window();
    return r && QTest::qWaitForWindowExposed(r) ? r : nullptr;
}

QAction *toggleOf(MainWindow &w) { return w.findChild<QAction *>(u"tajweedcolours"_qs); }

// The printed page shown with its colours on.
ReadingWindow *colouredPage(MainWindow &w, int page)
{
    ReadingWindow *r = openReading(w);
    if (!r)
        return nullptr;
    child<QComboBox>(r, "viewmode")->setCurrentIndex(0);
    r->showPage(page);
    toggleOf(w)->setChecked(true);
    return r;
}

} // namespace

class TajweedTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        installFontSubstitutions();
    }

    // Every class's colour stands out from the page, and from the current
    // aya's tint, in every theme.
    void paletteReadable()
    {
        for (const Theme theme : {Theme::Light, Theme::Paper, Theme::Dark}) {
            const QPalette pal = themePalette(theme, QApplication::palette());
            for (int c = 0; c < kTajweedClasses; ++c) {
                const QColor colour = tajweedColour(TajweedClass(c), pal);
                QVERIFY2(contrastRatio(colour, pal.color(QPalette::Base)) >= 3.0, qPrintable(themeKey(theme) + QString::number(c)));
                QVERIFY2(contrastRatio(colour, currentAyaTint(pal)) >= 3.0, qPrintable(themeKey(theme) + QString::number(c)));
                for (int d = 0; d < c; ++d)
                    QVERIFY(colour != tajweedColour(TajweedClass(d), pal));
            }
        }
    }

    // The spans drawn at their letters, in both views, on five pages.
    void spansAtTheirLetters()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        auto *view = child<MushafView>(r, "mushafpage");
        auto *text = child<PageView>(r, "pagetext");
        // The current aya keeps its highlight's colours in the text: none of the fixtures'.
        w.state().setCurrentAya(6236);
        for (const Fixture &f : fixtures()) {
            QVERIFY2(f.end > f.start, qPrintable(f.rule));
            const QColor colour = colourOf(f, view->palette());
            const int cls = int(tajweedRules()[tajweedRuleIndex(f.rule)].cls);
            // The printed page: the span's glyphs, shaped on their own, are
            // among the word's glyphs of its class, and drawn in its colour.
            child<QComboBox>(r, "viewmode")->setCurrentIndex(0);
            r->showPage(f.page);
            toggleOf(w)->setChecked(true);
            const PrintedItem *item = itemOf(r->printedPages(), f);
            QVERIFY2(item, qPrintable(f.rule));
            const QList<ColouredRun> runs = view->wordGlyphs(item->word);
            QVERIFY(!runs.isEmpty());
            QTextLayout own(item->text, QFont(runs.first().run.rawFont().familyName()));
            own.beginLayout();
            own.createLine();
            own.endLayout();
            QList<quint32> classIds, spanIds;
            QRectF classBox;
            for (const ColouredRun &c : runs) {
                if (c.cls != cls)
                    continue;
                classIds += c.run.glyphIndexes();
                for (qsizetype g = 0; g < c.run.glyphIndexes().size(); ++g)
                    classBox |= c.run.rawFont().boundingRect(c.run.glyphIndexes()[g]).translated(c.run.positions()[g]);
            }
            for (const QGlyphRun &run : own.glyphRuns(f.start - item->start, std::min(f.end, item->start + int(item->text.size())) - f.start))
                spanIds += run.glyphIndexes();
            QVERIFY2(!spanIds.isEmpty(), qPrintable(f.rule));
            for (const quint32 id : spanIds)
                QVERIFY2(classIds.contains(id), qPrintable(f.rule));
            const double k = view->pixelsPerUnit() * 2 * r->devicePixelRatioF();
            const QRectF inPicture(classBox.topLeft() * k, classBox.bottomRight() * k);
            QVERIFY2(pixelsOf(r->pagePicture(), inPicture, colour) > 0, qPrintable(f.rule));
            toggleOf(w)->setChecked(false);
            QCOMPARE(pixelsOf(r->pagePicture(), inPicture, colour), 0);

            // The continuous text: the span's letters in its colour.
            child<QComboBox>(r, "viewmode")->setCurrentIndex(1);
            r->showPage(f.page);
            const PageAya *a = r->page().find(f.ayaId);
            QVERIFY(a);
            QTextCursor c(text->document());
            c.setPosition(int(a->start) + f.start);
            text->setTextCursor(c);
            text->ensureCursorVisible();
            const QRect from = text->cursorRect(c);
            c.setPosition(int(a->start) + f.end);
            const QRect to = text->cursorRect(c);
            // Right to left: the span runs from its start leftwards, to its
            // end or, wrapped, to the line's end.
            const QRectF region = from.top() == to.top() ? QRectF(QPointF(std::min(from.left(), to.left()), from.top()),
                                                                  QPointF(std::max(from.right(), to.right()), from.bottom()))
                                                         : QRectF(QPointF(0, from.top()), QPointF(from.right(), from.bottom()));
            toggleOf(w)->setChecked(true);
            QImage shown = text->viewport()->grab().toImage();
            const double dpr = shown.devicePixelRatio();
            const QRectF scaled(region.topLeft() * dpr, region.bottomRight() * dpr);
            QVERIFY2(pixelsOf(shown, scaled, colour) > 0, qPrintable(f.rule));
            toggleOf(w)->setChecked(false);
            shown = text->viewport()->grab().toImage();
            QCOMPARE(pixelsOf(shown, scaled, colour), 0);
        }
    }

    // Colouring never reshapes: every line of the 604 pages has the same
    // glyphs at the same places, and the same width, with and without.
    void shapingUnchanged()
    {
        TajweedSpans spans;
        QVERIFY(spans.load(buildConnectionString(testutil::realDbFolder())));
        QCOMPARE(spans.count(), 58815);
        PrintedPageReader reader(buildConnectionString(testutil::realDbFolder()));
        MushafView plain, coloured;
        QFont font;
        font.setFamilies({QString::fromLatin1(ReadingWindow::kQuranFont)});
        for (MushafView *v : {&plain, &coloured}) {
            v->resize(700, 1000);
            v->setQuranFont(font);
        }
        coloured.setTajweed(&spans);
        int colouredGlyphs = 0;
        for (int page = 1; page <= 604; ++page) {
            const PrintedPage p = reader.page(page, Script::Uthmani);
            plain.setPages({p});
            coloured.setPages({p});
            QCOMPARE(coloured.lineBoxes().size(), plain.lineBoxes().size());
            for (qsizetype j = 0; j < plain.lineBoxes().size(); ++j)
                QCOMPARE(coloured.lineBoxes()[j].ink, plain.lineBoxes()[j].ink);
            for (int line = 0; line < p.lines.size(); ++line) {
                QList<std::pair<quint32, QPointF>> a, b;
                for (const ColouredRun &c : plain.lineGlyphs(0, line))
                    for (qsizetype g = 0; g < c.run.glyphIndexes().size(); ++g)
                        a.append({c.run.glyphIndexes()[g], c.run.positions()[g]});
                for (const ColouredRun &c : coloured.lineGlyphs(0, line)) {
                    colouredGlyphs += c.cls >= 0 ? int(c.run.glyphIndexes().size()) : 0;
                    for (qsizetype g = 0; g < c.run.glyphIndexes().size(); ++g)
                        b.append({c.run.glyphIndexes()[g], c.run.positions()[g]});
                }
                const auto order = [](const auto &x, const auto &y) {
                    return std::make_tuple(x.first, x.second.x(), x.second.y()) < std::make_tuple(y.first, y.second.x(), y.second.y());
                };
                std::sort(a.begin(), a.end(), order);
                std::sort(b.begin(), b.end(), order);
                if (a != b)
                    QFAIL(qPrintable(QStringLiteral("page %1 line %2 is shaped differently in colour").arg(page).arg(line + 1)));
            }
        }
        QVERIFY(colouredGlyphs > 58815);
    }

    // The toggle kept across a restart; turning it on over the imla'i
    // script shows the Uthmani one and says so, once.
    void toggleKeptAndScriptSwitched()
    {
        guitest::AppFolder folder;
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            guitest::StoredState stored(folder.path(), path);
            MainWindow w(stored.state);
            ReadingWindow *r = openReading(w);
            QVERIFY(r);
            QAction *toggle = toggleOf(w);
            QVERIFY(toggle && toggle->isCheckable());
            QCOMPARE(toggle->text(), u"ألوان التجويد"_qs);
            auto *script = child<QComboBox>(r, "script");
            script->setCurrentIndex(0);
            toggle->trigger();
            QCOMPARE(script->currentIndex(), 1);
            QVERIFY(!r->statusBar()->currentMessage().isEmpty());
            toggle->trigger();
            script->setCurrentIndex(0);
            r->statusBar()->clearMessage();
            toggle->trigger();
            QCOMPARE(script->currentIndex(), 1);
            QVERIFY(r->statusBar()->currentMessage().isEmpty());
            w.close();
        }
        guitest::StoredState stored(folder.path(), path);
        MainWindow again(stored.state);
        QVERIFY(toggleOf(again)->isChecked());
        toggleOf(again)->setChecked(false);
    }

    // The word ٱلضَّآلِّينَ of 1:7: its rules in words by hover, the page's
    // context menu and Ctrl+J; hidden when memorising; coloured in the pictures.
    void wordOfMaddLazim()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = colouredPage(w, 1);
        QVERIFY(r);
        auto *view = child<MushafView>(r, "mushafpage");
        const Fixture f = fixture(1, 7, u"madd_6"_qs, 1);
        const PrintedItem *item = itemOf(r->printedPages(), f);
        QVERIFY(item);
        // Named on a hover.
        const QPoint on = view->wordRect(item->word).center().toPoint();
        QHelpEvent help(QEvent::ToolTip, on, view->viewport()->mapToGlobal(on));
        QCoreApplication::sendEvent(view->viewport(), &help);
        QVERIFY2(QToolTip::text().contains(u"مد لازم (6)"_qs), qPrintable(QToolTip::text()));

        QString offered;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *a : menu->actions())
                if (a->objectName() == u"tajweedhere" && a->isVisible())
                    offered = a->text();
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, on, view->viewport()->mapToGlobal(on));
        QCoreApplication::sendEvent(view->viewport(), &menuEvent);
        QVERIFY2(offered.contains(u"مد لازم (6)"_qs), qPrintable(offered));

        // Ctrl+J on the current aya: on the status bar and for a screen reader.
        r->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r));
        view->setFocus();
        view->setCurrentAya(f.ayaId);
        w.state().setCurrentAya(f.ayaId);
        QTest::keyClick(view, Qt::Key_J, Qt::ControlModifier);
        QVERIFY2(r->statusBar()->currentMessage().contains(u"مد لازم (6)"_qs), qPrintable(r->statusBar()->currentMessage()));
        QCOMPARE(view->accessibleDescription(), r->statusBar()->currentMessage());

        // Memorising: the hidden word shows no colour. The pictures carry them.
        const QColor colour = colourOf(f, view->palette());
        const double k = view->pixelsPerUnit() * 2 * r->devicePixelRatioF();
        QRectF box;
        for (const ColouredRun &c : view->wordGlyphs(item->word))
            for (qsizetype g = 0; g < c.run.glyphIndexes().size(); ++g)
                box |= c.run.rawFont().boundingRect(c.run.glyphIndexes()[g]).translated(c.run.positions()[g]);
        const QRectF inPicture(box.topLeft() * k, box.bottomRight() * k);
        QVERIFY(pixelsOf(r->pagePicture(), inPicture, colour) > 0);
        struct Hide : WordVeil {
            PageWord hidden;
            WordShow show(const PageWord &w) const override { return w == hidden ? WordShow::Hidden : WordShow::Whole; }
        } veil;
        veil.hidden = item->word;
        view->setVeil(&veil);
        QCOMPARE(pixelsOf(r->pagePicture(), inPicture, colour), 0);
        view->setVeil(nullptr);

        // The aya's picture is coloured too.
        w.state().setCurrentAya(f.ayaId);
        const QImage aya = r->ayaPicture(false);
        int found = 0;
        for (int y = 0; y < aya.height(); y += 2)
            for (int x = 0; x < aya.width(); x += 2)
                found += near(aya.pixel(x, y), colour);
        QVERIFY(found > 0);
        toggleOf(w)->setChecked(false);
    }

    // The legend: a row a colour with its rules and an example from the
    // page; choosing one leaves only its places coloured.
    void legendShowsAndMarks()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = colouredPage(w, 2);
        QVERIFY(r);
        w.findChild<QAction *>(u"tajweedlegend"_qs)->trigger();
        auto *legend = r->findChild<QDialog *>(u"TajweedLegend"_qs);
        QVERIFY(legend && legend->isVisible());
        auto *list = child<QListWidget>(legend, "classes");
        QCOMPARE(list->count(), kTajweedClasses);
        QVERIFY(list->item(int(TajweedClass::IdghamNoGhunna))->text().contains(u"إدغام بغير غنة"_qs));
        QVERIFY(list->item(int(TajweedClass::Ghunna))->text().contains(u"إقلاب"_qs));
        const Fixture f = fixture(2, 5, u"idghaam_no_ghunnah"_qs, 2);
        const QString example = list->item(int(TajweedClass::IdghamNoGhunna))->text().section(u'\n', -1);
        QVERIFY2(example.contains(u"مِّن"_qs) || !example.isEmpty(), qPrintable(example));
        auto *view = child<MushafView>(r, "mushafpage");
        list->setCurrentRow(int(TajweedClass::Qalqala));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(int(TajweedClass::Ghunna))).center());
        QSet<int> classes;
        for (int line = 0; line < r->printedPages().first().lines.size(); ++line)
            for (const ColouredRun &c : view->lineGlyphs(0, line))
                classes.insert(c.cls);
        QCOMPARE(classes, QSet<int>({-1, int(TajweedClass::Ghunna)}));
        legend->close();
        classes.clear();
        for (int line = 0; line < r->printedPages().first().lines.size(); ++line)
            for (const ColouredRun &c : view->lineGlyphs(0, line))
                classes.insert(c.cls);
        QVERIFY(classes.size() > 4);
        toggleOf(w)->setChecked(false);
    }
};

QTEST_MAIN(TajweedTest)
#include "test_tajweed.moc"
