// Memorising: similar ayas, checking a recital, the day's review, the hidden page.
#include "bench.h"

void Bench::memoriseRows()
{
    // Memorising: the similar ayas, their worst aya found by timing each
    // three times (the least of them: a preemption is no aya's cost).
    {
        SimilarAyas similar;
        Row build{u"build the similar ayas from the folded texts"_qs};
        build.ms = timeMs([&] { requireRows(similar.build(memory.text()) ? 1 : 0, build.name); }, 3);
        rows.push_back(build);
        {
            Row read{u"read the prepared similar ayas"_qs};
            DataControl control;
            control.setConnectionString(w.state().connectionString());
            SimilarAyas prepared;
            read.ms = timeMs([&] { requireRows(prepared.read(control, memory.text()) ? 1 : 0, read.name); }, 3);
            rows.push_back(read);
        }
        int worst = 0;
        double worstMs = -1;
        std::size_t listed = 0;
        for (int k = 0; k < memory.text().size(); ++k) {
            double ms = 1e300;
            std::size_t n = 0;
            for (int time = 0; time < 3; ++time) {
                QElapsedTimer t;
                t.start();
                n = similar.of(k).size();
                ms = std::min(ms, double(t.nsecsElapsed()) / 1e6);
            }
            listed += n;
            if (ms > worstMs) {
                worstMs = ms;
                worst = k;
            }
        }
        requireRows(int(listed), u"similar ayas"_qs);
        Row r{QStringLiteral("similar ayas of the worst aya (%1, %2 listed)")
                  .arg(memory.text().record(worst).line)
                  .arg(similar.of(worst).size())};
        r.ms = timeMs([&] { (void)similar.of(worst); });
        rows.push_back(r);
    }
    // Checking a recited page: page 300 typed with a word dropped, one
    // changed and one added on every aya.
    {
        DataControl dc;
        dc.setConnectionString(buildConnectionString(folder));
        dc.setRecordSource(u"SELECT ID, Ayaa FROM Ayat WHERE pageno = 300 ORDER BY ID"_qs);
        dc.refresh();
        std::vector<RecitedAya> ayas;
        QStringList typed;
        for (; !dc.eof(); dc.moveNext()) {
            ayas.push_back({dc.field(0).toInt(), QString(), dc.field(1)});
            QStringList words = foldArabic(dc.field(1)).split(u' ', Qt::SkipEmptyParts);
            if (words.size() > 3) {
                words.removeAt(1);
                words[2] = u"كلمة"_qs;
                words.append(u"زائدة"_qs);
            }
            typed += words;
        }
        requireRows(int(ayas.size()), u"page 300"_qs);
        const QString text = typed.join(u' ');
        RecitalCheck check;
        Row r{QStringLiteral("check a recited page (page 300, %1 ayas)").arg(ayas.size())};
        r.ms = timeMs([&] { check = checkRecital(ayas, text); });
        requireRows(check.right, r.name);
        rows.push_back(r);
    }
    // "مراجعة اليوم" with every page held and due.
    {
        MemoriseProgress progress;
        std::vector<int> all;
        for (int p = 1; p <= MemoriseProgress::kPages; ++p)
            all.push_back(p);
        const QDate today = QDate::currentDate();
        progress.setState(all, PageState::Held, today.addDays(-1));
        Row r{u"open \"مراجعة اليوم\" with 604 pages due"_qs};
        r.ms = timeMs([&] {
            ProgressWindow window(progress, memory.text(), [today] { return today; }, &w);
            window.show();
            QCoreApplication::processEvents();
            requireRows(window.reviewList()->count() == MemoriseProgress::kPages ? 1 : 0, r.name);
        });
        rows.push_back(r);
    }
    // Hiding the reading page and revealing a word by its key.
    {
        auto *commands = w.findChild<MemoriseCommands *>();
        MemoriseMode *mode = commands ? commands->mode() : nullptr;
        requireRows(mode ? 1 : 0, u"memorisation mode"_qs);
        mode->setOn(true);
        ReadingWindow *reading = w.readingCommands()->window();
        requireRows(reading ? 1 : 0, u"reading window"_qs);
        reading->showPage(300);
        QWidget *page = reading->findChild<PageView *>();
        requireRows(mode->veil().hiddenCount(), u"hidden words of page 300"_qs);
        Row reveal{u"reveal a hidden word (Space) on page 300"_qs};
        reveal.ms = timeMs([&] {
            QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_qs);
            QCoreApplication::sendEvent(page, &space);
            page->repaint();
        }, 21);
        rows.push_back(reveal);
        Row hide{u"hide it again (Backspace) on page 300"_qs};
        hide.ms = timeMs([&] {
            QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
            QCoreApplication::sendEvent(page, &back);
            page->repaint();
        }, 21);
        rows.push_back(hide);
        mode->setOn(false);
        reading->close();
    }
}
