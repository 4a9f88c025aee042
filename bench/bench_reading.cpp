// Composing, the reading window and its tajweed colours.
#include "bench.h"

// The tajweed colours: a page turn and a facing-pages turn with them, each
// against the same without them ("raw"), and the spans loaded whole.
void tajweedRows(ReadingState &state, ReadingWindow &window)
{
    Row load{u"load the tajweed spans (all 58,815)"_qs};
    load.ms = timeMs([&] {
        TajweedSpans spans;
        spans.load(state.connectionString());
        requireRows(spans.count(), u"tajweed spans"_qs);
    });
    rows.push_back(load);
    TajweedColours colours(state, nullptr, nullptr);
    colours.attach(&window);
    auto *toggle = colours.findChild<QAction *>(u"tajweedcolours"_qs);
    window.findChild<QComboBox *>(u"viewmode"_qs)->setCurrentIndex(0);
    window.findChild<QComboBox *>(u"script"_qs)->setCurrentIndex(1);
    for (const bool facing : {false, true}) {
        window.resize(facing ? 1400 : 700, facing ? 800 : 900);
        window.setFacing(facing);
        int page = 200;
        const auto turns = [&](bool on) {
            toggle->setChecked(on);
            requireRows(on ? colours.spans().count() : 1, u"tajweed spans"_qs);
            return timeMs([&] {
                page += facing ? 2 : 1;
                window.showPage(page);
                window.repaint();
                requireRows(int(window.printedPages().size()) - (facing ? 1 : 0), u"printed page"_qs);
            }, std::max(runs, 21));
        };
        Row turn{facing ? u"turn two facing pages with tajweed colours (raw: without)"_qs
                        : u"turn a page with tajweed colours, mushaf page (raw: without)"_qs};
        turn.raw = turns(false);
        turn.ms = turns(true);
        rows.push_back(turn);
    }
    toggle->setChecked(false);
    window.setFacing(false);
}

void Bench::readingRows()
{
    // Composing.
    {
        DataControl dc;
        dc.setConnectionString(buildConnectionString(folder));
        Row r{u"compose sura 2 (286 ayas)"_qs};
        r.ms = timeMs([&] { requireRows(int(Composer::sura(dc, 2, false).size()), u"compose sura 2"_qs); });
        r.raw = timeMs([&] {
            dc.setRecordSource(query::sura(u"2"_qs));
            dc.refresh();
        });
        rows.push_back(r);
        QStringList ids, lines;
        for (int i = 0; i < 100; ++i) {
            ids.append(QString::number(1 + i * 62));
            lines.append(QStringLiteral("line %1").arg(i));
        }
        Row c{u"compose 100 chosen ayas"_qs};
        c.ms = timeMs([&] { Composer::chosen(dc, ids, lines, false); });
        c.raw = timeMs([&] {
            for (const QString &id : ids) {
                dc.setRecordSource(query::ayaById(id));
                dc.refresh();
            }
        });
        rows.push_back(c);
    }
    // The reading window.
    {
        const auto pageShown = [](ReadingWindow &window) {
            requireRows(int(window.page().ayas.size()), QStringLiteral("page %1").arg(window.pageNumber()));
        };
        Row open{u"open the reading window at page 300 to its first paint (mushaf page)"_qs};
        open.ms = timeMs([&] {
            ReadingWindow window(w.state(), &w);
            window.showPage(300);
            window.show();
            window.repaint();
            pageShown(window);
        });
        rows.push_back(open);
        ReadingWindow window(w.state(), &w);
        window.show();
        const auto printedShown = [](ReadingWindow &shown) {
            requireRows(int(shown.printedPages().value(0).lines.size()), QStringLiteral("printed page %1").arg(shown.pageNumber()));
        };
        for (const int view : {0, 1}) {
            window.findChild<QComboBox *>(u"viewmode"_qs)->setCurrentIndex(view);
            for (const int script : {0, 1}) {
                window.findChild<QComboBox *>(u"script"_qs)->setCurrentIndex(script);
                int page = 100;
                Row turn{QStringLiteral("turn a page, %1, %2 script (built, laid out, painted)")
                             .arg(view ? u"continuous text"_qs : u"mushaf page"_qs, script ? u"Uthmani"_qs : u"imla'i"_qs)};
                turn.ms = timeMs([&] {
                    window.showPage(++page);
                    window.repaint();
                    view ? pageShown(window) : printedShown(window);
                }, std::max(runs, 21));
                rows.push_back(turn);
            }
        }
        window.findChild<QComboBox *>(u"viewmode"_qs)->setCurrentIndex(0);
        window.resize(1400, 800);
        window.setFacing(true);
        {
            int page = 101;
            Row facing{u"turn two facing pages, mushaf page (built, laid out, painted)"_qs};
            facing.ms = timeMs([&] {
                page += 2;
                window.showPage(page);
                window.repaint();
                requireRows(int(window.printedPages().size()) - 1, u"facing pages"_qs);
            }, std::max(runs, 21));
            rows.push_back(facing);
        }
        window.setFacing(false);
        window.resize(700, 900);
        tajweedRows(w.state(), window);
        window.showPage(300);
        {
            QTemporaryDir pictures;
            Row picture{u"save a page picture (PNG, twice the screen's resolution)"_qs};
            picture.ms = timeMs([&] {
                const QString path = pictures.filePath(u"page.png"_qs);
                requireRows(ReadingWindow::writePicture(window.pagePicture(), path) ? 1 : 0, u"page picture"_qs);
            });
            rows.push_back(picture);
        }
        window.close();

        // Lines of sura 2 one after another, as a reader runs down the listing.
        fill(query::suraOrdered(2), 0);
        requireRows(w.listing().count(), u"sura 2"_qs);
        auto *list = w.findChild<QListView *>(u"suraayaalist"_qs);
        const auto selectLines = [&] {
            std::vector<double> samples;
            for (int k = 1; k < 60; ++k) {
                QElapsedTimer t;
                t.start();
                list->setCurrentIndex(w.listing().index(k));
                QCoreApplication::processEvents();
                samples.push_back(double(t.nsecsElapsed()) / 1e6);
            }
            list->setCurrentIndex(w.listing().index(0));
            return median(samples);
        };
        const auto medianOfRuns = [&] {
            std::vector<double> medians;
            for (int i = 0; i < 3; ++i)
                medians.push_back(selectLines());
            return median(medians);
        };
        Row without{u"select a listing line, reading window closed"_qs};
        without.ms = medianOfRuns();
        rows.push_back(without);
        w.readingCommands()->openWindow();
        QCoreApplication::processEvents();
        Row with{u"select a listing line, reading window open"_qs};
        with.ms = medianOfRuns();
        rows.push_back(with);
        w.readingCommands()->closeWindow();
        std::printf("listing line with the reading window / without: %.2fx\n", with.ms / without.ms);
    }
}
