// Measures the program's main paths against the raw statements they run and
// against a fill that yields after every row. Prints a table of medians.
#include "ui/fonts.h"
#include "ui/resources.h"
#include "app/mainwindow.h"
#include "state/listingfill.h"
#include "browse/programstate.h"
#include "browse/suratables.h"
#include "compose/composer.h"
#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "data/userstore.h"
#include "data/queries.h"
#include "notes/windows/notesbrowser.h"
#include "notes/notesstore.h"
#include "notes/notestransfer.h"
#include "search/windows/distributionwindow.h"
#include "search/occurrences.h"
#include "search/windows/optionswindow.h"
#include "search/windows/resultstextwindow.h"
#include "search/windows/resultstextmodel.h"
#include "topics/windows/topicwindow.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "reading/windows/tajweedcolours.h"
#include "reading/windows/pageview.h"
#include "search/arabicfolding.h"
#include "recitation/playerengine.h"
#include "recitation/recitation.h"
#include "recitation/reciter.h"
#include "search/searchstatement.h"
#include "search/divisionreference.h"
#include "khatma/windows/khatmawindow.h"
#include "memorise/windows/memorisecommands.h"
#include "memorise/windows/memorisemode.h"
#include "memorise/memoriseprogress.h"
#include "memorise/windows/progresswindow.h"
#include "memorise/recitalcheck.h"
#include "memorise/similarayas.h"
#include "search/completions.h"
#include "state/searchmemory.h"
#include "state/searchrequest.h"
#include "../tests/soundcheck.h"
#include "translationbench.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QComboBox>
#include <QSpinBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListView>
#include <QKeyEvent>
#include <QListWidget>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QThread>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace zarfan;

namespace {

int runs = 7;

// A measurement of a statement that found nothing measures nothing.
void requireRows(int count, const QString &what)
{
    if (count > 0)
        return;
    std::fprintf(stderr, "zarfan-bench: \"%s\" returned no rows; is there a database in the folder?\n", qPrintable(what));
    std::exit(1);
}

// A process that did not start, or did not end well, measured nothing.
void requireRun(QProcess &p, const QString &what)
{
    if (p.waitForStarted() && p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return;
    std::fprintf(stderr, "zarfan-bench: \"%s\" did not run: %s\n", qPrintable(what), qPrintable(p.errorString()));
    std::exit(1);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double timeMs(const std::function<void()> &f, int n = runs)
{
    std::vector<double> samples;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        samples.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(samples);
}

// The statement through a data control: refresh and a walk that reads the
// row fields a listing reads.
double rawMs(const QString &folder, const QString &statement)
{
    DataControl dc;
    dc.setConnectionString(buildConnectionString(folder));
    dc.setRecordSource(statement);
    dc.refresh(); // warm connection and cache
    requireRows(dc.rowCount(), statement);
    return timeMs([&] {
        dc.refresh();
        const int c[] = {dc.column(u"soraano"), dc.column(u"ayaano"), dc.column(u"ID"), dc.column(u"chapterNO"), dc.column(u"pageno")};
        while (!dc.eof()) {
            for (int i : c)
                (void)dc.field(i);
            dc.moveNext();
        }
    });
}

struct Row {
    QString name;
    double ms = 0, raw = 0, perRow = -1;
    int perRowCount = 0;
    QString error = {}; // what kept the row from being measured
};
std::vector<Row> rows;

void print()
{
    std::printf("\n| measurement | median ms | raw statement ms | ratio to raw | per-row-yield fill ms | ratio to per-row |\n");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    for (const Row &r : rows) {
        if (!r.error.isEmpty()) {
            std::printf("| %s | error: %s | - | - | - | - |\n", qPrintable(r.name), qPrintable(r.error));
            continue;
        }
        QString perRow = u"-"_qs, perRatio = u"-"_qs;
        if (r.perRow >= 0) {
            perRow = QString::number(r.perRow, 'f', 1) + (r.perRowCount ? QStringLiteral(" (%1 rows)").arg(r.perRowCount) : QString());
            perRatio = QString::number(r.perRow / r.ms, 'f', 1) + u'x';
        }
        std::printf(r.ms < 1 ? "| %s | %.3f | %s | %s | %s | %s |\n" : "| %s | %.1f | %s | %s | %s | %s |\n", qPrintable(r.name), r.ms,
                    r.raw > 0 ? qPrintable(QString::number(r.raw, 'f', 1)) : "-",
                    r.raw > 0 ? qPrintable(QString::number(r.ms / r.raw, 'f', 2) + u'x') : "-", qPrintable(perRow), qPrintable(perRatio));
    }
}

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

// Local-folder recitation as heard: the real engine on a PulseAudio null
// sink whose monitor is recorded. From play to the first sound in the
// recording (the recorder's own latency included), and the silence heard
// between two ayas (tones of their own pitch with no silence in the files):
// WAV, then MP3 as sox encodes it (its encoder's padding included).
void recitationRows()
{
    Row first{u"recitation: first play after start to first sound (local file)"_qs},
        start{u"recitation: play to first sound at the sink (local file)"_qs},
        gap{u"recitation: silence heard between two ayas (local WAV files)"_qs},
        gapMp3{u"recitation: silence heard between two ayas (local MP3 files)"_qs};
    const auto fail = [&](const QString &why) {
        first.error = start.error = gap.error = gapMp3.error = why;
        rows.push_back(first);
        rows.push_back(start);
        rows.push_back(gap);
        rows.push_back(gapMp3);
    };
    soundcheck::NullSink sink;
    if (!sink.why.isEmpty())
        return fail(sink.why);
    QTemporaryDir wav, mp3;
    const std::vector<double> tones{440, 660};
    const QString sox = QStandardPaths::findExecutable(u"sox"_qs);
    for (int aya = 1; aya <= 2; ++aya) {
        soundcheck::writeTone(wav.filePath(ayaFileName(2, aya + 1)), tones[std::size_t(aya - 1)], 0.6);
        if (sox.isEmpty()
            || QProcess::execute(sox, {u"-n"_qs, u"-r"_qs, u"22050"_qs, u"-c"_qs, u"1"_qs, mp3.filePath(ayaFileName(2, aya + 1)),
                                       u"synth"_qs, u"0.6"_qs, u"sine"_qs, QString::number(tones[std::size_t(aya - 1)])})
                   != 0)
            return fail(u"sox could not make the MP3 files"_qs);
    }
    auto *engine = new GstPlayerEngine;
    engine->setAudioSink("pulsesink");
    Recitation recitation(engine);
    std::vector<double> starts, gaps, gapsMp3;
    // Once in the process: the reciter chosen, a moment later the first play.
    recitation.setReciters({{u"bench"_qs, wav.path()}});
    QDeadlineTimer chosen(500);
    while (!chosen.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!sink.startRecording())
        return fail(u"the null sink's monitor could not be recorded"_qs);
    {
        const int before = sink.recordedSamples();
        recitation.play({{9, 2, 2}}, 9);
        QDeadlineTimer deadline(10000);
        while (recitation.state() != Recitation::State::Stopped && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const soundcheck::Heard heard(sink.stopRecording(), tones);
        const int sound = heard.firstSound(before / soundcheck::Heard::kWindow);
        if (sound < 0)
            return fail(u"the first play was not heard"_qs);
        first.ms = sound * 10.0 - before * 1000.0 / soundcheck::NullSink::kRate;
    }
    for (int i = 0; i < runs; ++i) {
        for (QTemporaryDir *folder : {&wav, &mp3}) {
            recitation.setReciters({{u"bench"_qs, folder->path()}});
            if (!sink.startRecording())
                return fail(u"the null sink's monitor could not be recorded"_qs);
            const int before = sink.recordedSamples();
            recitation.play({{9, 2, 2}, {10, 2, 3}}, 9);
            QDeadlineTimer deadline(10000);
            while (recitation.state() != Recitation::State::Stopped && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            QDeadlineTimer tail(300);
            while (!tail.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            recitation.stop();
            const std::vector<qint16> recording = sink.stopRecording();
            const soundcheck::Heard heard(recording, tones);
            const int first = heard.firstSound(before / soundcheck::Heard::kWindow), a = heard.last(0), b = heard.first(1);
            if (first < 0 || a < 0 || b < 0)
                return fail(u"the two ayas were not both heard"_qs);
            if (folder == &wav)
                starts.push_back(first * 10.0 - before * 1000.0 / soundcheck::NullSink::kRate);
            (folder == &wav ? gaps : gapsMp3).push_back(heard.longestSilence(a, b));
        }
    }
    start.ms = median(starts);
    gap.ms = median(gaps);
    gapMp3.ms = median(gapsMp3);
    rows.push_back(first);
    rows.push_back(start);
    rows.push_back(gap);
    rows.push_back(gapMp3);
}

// Start-up to a shown main window, the whole program as a process: with no
// reader's data, then with the data in the folder given.
void startupRows(const QString &userData, const QString &name, const QString &what)
{
    const QString program = QCoreApplication::applicationDirPath() + u"/zarfan"_qs;
    double none = 0;
    for (const bool withData : {false, true}) {
        Row r{withData ? name : u"start-up of the program to a shown main window (process)"_qs};
        QTemporaryDir empty;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ZARFAN_QUIT_AFTER_SHOW"_qs, u"1"_qs);
        env.insert(u"ZARFAN_LOCK_FILE"_qs, QDir::temp().filePath(u"zarfan-bench.lock"_qs));
        env.insert(u"ZARFAN_USER_DATA"_qs, withData ? userData : empty.path());
        r.ms = timeMs([&] {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(program, {});
            requireRun(p, program);
        });
        rows.push_back(r);
        if (withData)
            std::printf("start-up with %s / without: %.2fx\n", qPrintable(what), r.ms / none);
        none = r.ms;
    }
}

} // namespace

// Imports and lists at the sizes a reader's years of notes reach.
void importAndListRows()
{
    const auto file = [](const QJsonArray &notes, const QJsonArray &lists) {
        return QJsonDocument(QJsonObject{{u"format"_qs, u"zarfan-notes"_qs}, {u"version"_qs, 1},
                                         {u"notes"_qs, notes}, {u"lists"_qs, lists}}).toJson(QJsonDocument::Compact);
    };
    std::vector<ListAya> every;
    for (int s = 1; s <= SuraTables::kSuraCount; ++s) {
        for (int a = 1; a <= SuraTables::ayaCount(s); ++a)
            every.push_back({s, a});
    }
    const auto ayaObject = [](const ListAya &a) { return QJsonObject{{u"sura"_qs, a.sura}, {u"aya"_qs, a.aya}}; };
    const auto timedImport = [](NotesStore &notes, const QByteArray &json, const QString &what) {
        NotesTransfer::Report report;
        const double ms = timeMs([&] { report = NotesTransfer::importJson(notes, json); }, 1);
        if (report.whole != NotesTransfer::Report::Refused::None)
            requireRows(0, what);
        return std::pair(ms, report);
    };

    QJsonArray many;
    for (int i = 0; i < 100000; ++i) {
        const ListAya &a = every[std::size_t(i) % every.size()];
        many.append(QJsonObject{{u"sura"_qs, a.sura}, {u"from"_qs, a.aya}, {u"to"_qs, a.aya},
                                {u"text"_qs, QStringLiteral("خاطرة %1 في التدبر").arg(i)},
                                {u"tags"_qs, QJsonArray{QStringLiteral("وسم %1").arg(i % 50)}}});
    }
    const QByteArray notesJson = file(many, {});
    {
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row first{u"import 100,000 notes into an empty store"_qs};
        const auto [firstMs, added] = timedImport(notes, notesJson, first.name);
        requireRows(added.added, first.name);
        first.ms = firstMs;
        rows.push_back(first);
        Row again{u"import the same 100,000 notes again (nothing new)"_qs};
        const auto [againMs, report] = timedImport(notes, notesJson, again.name);
        requireRows(int(notes.notes().size()) - report.added, again.name);
        again.ms = againMs;
        rows.push_back(again);
    }
    {
        QJsonArray lists;
        for (int i = 0; i < 20000; ++i)
            lists.append(QJsonObject{{u"name"_qs, QStringLiteral("قائمة %1").arg(i)},
                                     {u"ayas"_qs, QJsonArray{ayaObject(every[std::size_t(i) % every.size()])}}});
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row r{u"import 20,000 lists of one aya"_qs};
        const auto [ms, report] = timedImport(notes, file({}, lists), r.name);
        requireRows(report.added, r.name);
        r.ms = ms;
        rows.push_back(r);
    }
    {
        QJsonArray entries;
        for (int i = 0; i < 124720; ++i)
            entries.append(ayaObject(every[std::size_t(i) % every.size()]));
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row r{u"import one list of 124,720 entries"_qs};
        const auto [ms, report] = timedImport(notes, file({}, QJsonArray{QJsonObject{{u"name"_qs, u"الكل"_qs}, {u"ayas"_qs, entries}}}), r.name);
        requireRows(report.added, r.name);
        requireRows(int(notes.listAyas(notes.lists().front().id).size()), r.name);
        r.ms = ms;
        rows.push_back(r);
    }
    {
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row r{u"add 6,236 ayas to a list, committed"_qs};
        int n = 0;
        r.ms = timeMs([&] {
            const qint64 list = notes.createList(QStringLiteral("قائمة %1").arg(++n));
            if (!notes.addToList(list, every) || notes.listAyas(list).size() != every.size())
                requireRows(0, r.name);
        });
        rows.push_back(r);
    }
}

// The program's resident memory once started and settled (the window
// shown, the database keyed, the search texts read), as a process of its own.
static void startMemoryRow()
{
    const QString program = QCoreApplication::applicationDirPath() + u"/zarfan"_qs;
    QTemporaryDir empty;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ZARFAN_LOCK_FILE"_qs, QDir::temp().filePath(u"zarfan-bench-rss.lock"_qs));
    env.insert(u"ZARFAN_USER_DATA"_qs, empty.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, {});
    if (!p.waitForStarted()) {
        std::printf("memory at start (RSS): the program did not run\n");
        return;
    }
    const auto rss = [&] {
        QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return 0.0;
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        return 0.0;
    };
    // Settled: no growth for a second, after two at least.
    double last = 0;
    int settledFor = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000 && (t.elapsed() < 2000 || settledFor < 1000)) {
        QThread::msleep(100);
        const double now = rss();
        settledFor = now > last + 0.05 ? 0 : settledFor + 100;
        last = std::max(last, now);
    }
    p.kill();
    p.waitForFinished();
    std::printf("memory at start (RSS, window shown and search texts read): %.1f MB\n", last);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initResources();
    installFontSubstitutions();
    const QStringList args = app.arguments();
    const QString folder = args.size() > 1 ? args.at(1) : QCoreApplication::applicationDirPath();
    if (args.size() > 2)
        runs = std::max(1, args.at(2).toInt());

    // Opening the database and the whole-scripture statement.
    const QString whole = u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '%ا%'order by ID"_qs;
    {
        Row r{u"open database + whole-scripture like '%ا%' (data control)"_qs};
        r.ms = timeMs([&] {
            closeSharedConnections();
            DataControl dc;
            dc.setConnectionString(buildConnectionString(folder));
            dc.setRecordSource(whole);
            dc.refresh();
            requireRows(dc.rowCount(), whole);
        });
        const QString cli = QStandardPaths::findExecutable(u"sqlcipher"_qs);
        if (!cli.isEmpty()) {
            r.raw = timeMs([&] {
                QProcess p;
                p.start(cli, {folder + u"/zarfan.zf"_qs});
                p.write("PRAGMA key='kelbo7301946';\n" + whole.toUtf8() + ";\n");
                p.closeWriteChannel();
                p.waitForFinished();
            });
            std::printf("(raw column of the first row: the same statement through the sqlcipher shell)\n");
        }
        rows.push_back(r);
    }

    startMemoryRow();

    // Start-up to a shown main window: the whole program as a process, with
    // no reader's data and with 500 chosen ayas and a full history.
    {
        QTemporaryDir full;
        {
            UserStore store;
            store.open(full.filePath(u"user.db"_qs));
            for (int i = 1; i <= 500; ++i)
                store.addChosen(QStringLiteral("line %1").arg(i), QString::number(i * 12));
            for (int i = 1; i <= UserStore::kHistoryLimit; ++i)
                store.addHistory(QStringLiteral("بحث %1").arg(i));
        }
        startupRows(full.path(), u"start-up with 500 chosen ayas and a full history (process)"_qs, u"data"_qs);
        UserStore store;
        store.open(full.filePath(u"user.db"_qs));
        Row add{u"add an aya to the chosen list, committed to disk"_qs};
        int n = 0;
        add.ms = timeMs([&] {
            if (!store.addChosen(QStringLiteral("added %1").arg(++n), u"7"_qs))
                requireRows(0, u"add to the chosen list"_qs);
        }, std::max(runs, 20));
        rows.push_back(add);
    }
    {
        Row r{u"main window created and shown (in process)"_qs};
        r.ms = timeMs([&] {
            MainWindow w(folder);
            w.show();
            QCoreApplication::processEvents();
        });
        rows.push_back(r);
    }

    MainWindow w(folder);
    w.show();
    QCoreApplication::processEvents();
    const auto fill = [&](const QString &statement, qint16 mixed) {
        w.state().produceListing({statement, mixed, ReadingState::Guard::AlsoFullsearch});
    };
    const auto listingRow = [&](const QString &name, const QString &statement) {
        Row r{name};
        fill(statement, 1);
        requireRows(w.listing().count(), statement);
        r.ms = timeMs([&] { fill(statement, 1); });
        r.raw = rawMs(folder, statement);
        // The literal fill: a yield after every row, on at most perRowLimit rows.
        EventYield::setDefaultInterval(0);
        r.perRow = timeMs([&] { fill(statement, 1); }, std::min(runs, 3));
        r.perRowCount = w.listing().count();
        EventYield::setDefaultInterval(EventYield::kDefaultIntervalMs);
        rows.push_back(r);
    };
    listingRow(u"navigator: sura 2 (286 lines)"_qs, query::suraOrdered(2));
    listingRow(u"navigator: juz 30 (564 lines)"_qs, query::juzOrdered(30));
    listingRow(u"listing of all 6236 ayas"_qs, u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '% %'order by ID"_qs);

    // Word search, from Enter to line 0 displayed.
    auto *searcht = w.findChild<QLineEdit *>(u"searcht"_qs);
    const auto setOption = [&](const char *name, bool on) {
        w.optionsWindow()->findChild<QWidget *>(QString::fromLatin1(name))->setProperty("checked", on);
    };
    const auto searchRow = [&](const QString &name, const QString &text, bool single, bool literal = false,
                               SearchTarget target = SearchTarget::Quran, WordKey key = WordKey::Letters) {
        Row r{name};
        SearchOptions o;
        o.singleWord = single;
        o.literal = literal;
        o.target = target;
        o.key = key;
        w.state().setSearchTarget(target);
        const QString statement = buildSearchStatement(text, o);
        // The options window is read by the search: set its mode.
        setOption(key == WordKey::Root ? "rootsearch" : key == WordKey::Lemma ? "lemmasearch" : single ? "alone" : "withother", true);
        setOption("literalsearch", literal);
        r.ms = timeMs([&] {
            searcht->setText(text);
            w.runSearch();
        });
        requireRows(w.listing().count(), text);
        r.raw = rawMs(folder, statement);
        setOption("withother", true);
        setOption("literalsearch", false);
        w.state().setSearchTarget(SearchTarget::Quran);
        rows.push_back(r);
        return r.ms;
    };
    searchRow(u"search \"الله\" (substring)"_qs, u"الله"_qs, false);
    searchRow(u"search \"الله\" (single word)"_qs, u"الله"_qs, true);
    for (const TranslationBenchRow &t : translationRows(w, [](const std::function<void()> &f) { return timeMs(f); }))
        rows.push_back({t.name, t.ms, t.compared});
    // Folded spelling against the spelling as typed. No aya holds امنوا as
    // typed: its literal row searches the written آمنوا, which finds the same.
    struct Pair { const char16_t *folded, *literal, *what; };
    for (const Pair &p : {Pair{u"امنوا", u"آمنوا", u"hamza-less"}, Pair{u"ا", u"ا", u"every alef"},
                          Pair{u"الصمد", u"الصمد", u"one hit"}}) {
        const QString text = QString::fromUtf16(p.folded), written = QString::fromUtf16(p.literal);
        const double folded = searchRow(QStringLiteral("search \"%1\" folded (%2)").arg(text, QString::fromUtf16(p.what)), text, false);
        const double literal = searchRow(QStringLiteral("search \"%1\" literal").arg(written), written, false, true);
        std::printf("folded / literal for \"%s\": %.2fx\n", qPrintable(text), folded / literal);
    }
    // Marking and counting what a search matched, against the same listing
    // without them.
    for (const QString &text : {u"الله"_qs, u"ا"_qs}) {
        const double marked = searchRow(QStringLiteral("search \"%1\" with marks and counts").arg(text), text, false);
        Row plain{QStringLiteral("search \"%1\" without marks and counts").arg(text)};
        const QString statement = buildSearchStatement(text, SearchOptions());
        plain.ms = timeMs([&] { fill(statement, 1); });
        rows.push_back(plain);
        std::printf("marks and counts / without for \"%s\": %.2fx\n", qPrintable(text), marked / plain.ms);
    }
    {
        searcht->setText(u"ا"_qs);
        w.runSearch();
        DataControl dc;
        dc.setConnectionString(buildConnectionString(folder));
        dc.setRecordSource(buildSearchStatement(u"ا"_qs, SearchOptions()));
        dc.refresh();
        requireRows(dc.rowCount(), u"ا"_qs);
        const SearchMatch sought{u"ا"_qs};
        Row count{QStringLiteral("occurrences of \"ا\" over its %1 ayas").arg(dc.rowCount())};
        count.ms = timeMs([&] {
            dc.refresh();
            const int column = dc.column(u"AyaaFolded");
            int total = 0;
            for (; !dc.eof(); dc.moveNext())
                total += countOccurrences(dc.field(column), sought);
            requireRows(total, u"occurrences"_qs);
        });
        rows.push_back(count);
        Row open{u"open the distribution of \"ا\""_qs};
        open.ms = timeMs([&] {
            DistributionWindow window(w.state(), &w);
            window.show();
            requireRows(int(window.rows().size()), u"distribution"_qs);
        });
        rows.push_back(open);
        Row reference{u"reference \"2:255\" to line 0 displayed"_qs};
        reference.ms = timeMs([&] {
            searcht->setText(u"2:255"_qs);
            w.runSearch();
        });
        requireRows(w.listing().count(), u"2:255"_qs);
        rows.push_back(reference);
        for (const QString &text : {u"حزب 5"_qs, u"ربع 17"_qs, u"صفحة 40-42"_qs, u"منزل 7"_qs}) {
            Row division{QStringLiteral("division \"%1\" to line 0 displayed").arg(text)};
            division.ms = timeMs([&] {
                searcht->setText(text);
                w.runSearch();
            });
            requireRows(w.listing().count(), text);
            division.raw = rawMs(folder, parseDivisionReference(text).statement());
            rows.push_back(division);
        }
    }
    // Scoped searches against the whole-scripture "الله" rows above.
    {
        w.optionsWindow()->findChild<QComboBox *>(u"hizb"_qs)->setCurrentIndex(58);
        w.optionsWindow()->findChild<QSpinBox *>(u"page1"_qs)->setValue(100);
        w.optionsWindow()->findChild<QSpinBox *>(u"page2"_qs)->setValue(300);
        for (const auto &[code, name] : {std::pair{5, u"search \"الله\" in hizb 59"_qs}, std::pair{6, u"search \"الله\" in pages 100-300"_qs}}) {
            programState().searchtype = qint16(code);
            Row r{name};
            r.ms = timeMs([&] {
                searcht->setText(u"الله"_qs);
                w.runSearch();
            });
            requireRows(w.listing().count(), name);
            r.raw = rawMs(folder, buildSearchStatement(u"الله"_qs, w.state().searchOptions()));
            rows.push_back(r);
        }
        programState().searchtype = 0;
    }
    // Every default-mode search goes through memory, from Enter to line 0.
    {
        const auto boxRow = [&](const QString &name, const QString &text, int scope = 0) {
            programState().searchtype = qint16(scope);
            Row r{name};
            r.ms = timeMs([&] {
                searcht->setText(text);
                w.runSearch();
            });
            requireRows(w.listing().count(), name);
            programState().searchtype = 0;
            rows.push_back(r);
            return r.ms;
        };
        boxRow(u"search \"%\" (every aya, the box)"_qs, u"%"_qs);
        boxRow(u"search \"قال%موسى\" (wildcard, the box)"_qs, u"قال%موسى"_qs);
        boxRow(u"search \"موسى | هارون\" in pages 100-300 (the box)"_qs, u"موسى | هارون"_qs, 6);
        const double whole = boxRow(u"search \"الله\" (the box, mushaf order)"_qs, u"الله"_qs);
        auto *order = w.optionsWindow()->findChild<QComboBox *>(u"resultsorder"_qs);
        order->setCurrentIndex(1);
        const double ranked = boxRow(u"search \"الله\" (the box, by relevance)"_qs, u"الله"_qs);
        const double rankedAlef = boxRow(u"search \"ا\" (the box, by relevance)"_qs, u"ا"_qs);
        order->setCurrentIndex(0);
        const double alef = boxRow(u"search \"ا\" (the box, mushaf order)"_qs, u"ا"_qs);
        std::printf("relevance / mushaf order: \"الله\" %.2fx, \"ا\" %.2fx\n", ranked / whole, rankedAlef / alef);
        // The results window over every aya holding an alef.
        searcht->setText(u"ا"_qs);
        w.runSearch();
        const int alefRows = w.listing().count();
        Row open{QStringLiteral("open the results window over %1 ayas").arg(alefRows)};
        open.ms = timeMs([&] {
            ResultsTextWindow window(w.state(), &w);
            window.show();
            QCoreApplication::processEvents();
            requireRows(window.model()->rowCount(), open.name);
        });
        rows.push_back(open);
        {
            ResultsTextWindow window(w.state(), &w);
            window.show();
            QCoreApplication::processEvents();
            const double withWindow = boxRow(u"search \"ا\" with the results window open"_qs, u"ا"_qs);
            std::printf("results window open / closed: %.2fx\n", withWindow / alef);
        }
    }
    {
        // The longest plan: a portion a day for a year.
        w.state().khatma().start({KhatmaSchedule::By::Days, 365, 1, QDate::currentDate()}, QDate::currentDate());
        Row r{u"open the khatma window (365-day plan)"_qs};
        r.ms = timeMs([&] {
            KhatmaWindow window(w.state().khatma(), &w);
            window.show();
            QCoreApplication::processEvents();
        });
        w.state().khatma().end();
        rows.push_back(r);
    }
    {
        // A store holding a million finished khatmas: opening the window, then
        // a page turn of a running plan with the window open.
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        QByteArray lines;
        const QDate first(1900, 1, 1);
        for (int i = 0; i < 1000000; ++i)
            lines += (first.addDays(i % 40000).toString(Qt::ISODate) + u' ' + first.addDays(i % 40000 + 30).toString(Qt::ISODate) + u'\n').toLatin1();
        store.setValue(u"khatma/finished"_qs, lines);
        KhatmaTracker tracker;
        tracker.load(&store);
        requireRows(int(tracker.finished().size()), u"1,000,000 finished khatmas"_qs);
        Row open{u"open the khatma window (1,000,000 finished)"_qs};
        open.ms = timeMs([&] {
            KhatmaWindow window(tracker, &w);
            window.show();
            QCoreApplication::processEvents();
        }, 3);
        rows.push_back(open);
        KhatmaWindow window(tracker, &w);
        window.show();
        QCoreApplication::processEvents();
        requireRows(window.findChild<QListView *>(u"pastKhatmas"_qs)->model()->rowCount(), u"the past khatmas listed"_qs);
        tracker.start({KhatmaSchedule::By::Days, 30, 1, QDate::currentDate()}, QDate::currentDate());
        int page = 0;
        Row turn{u"page turn with the khatma window open (1,000,000 finished)"_qs};
        turn.ms = timeMs([&] {
            tracker.pageTurnedPast(++page);
            QCoreApplication::processEvents();
        });
        rows.push_back(turn);
    }
    // The tafsirs, each about three times the aya text.
    searchRow(u"search \"الله\" in تفسير الجلالين"_qs, u"الله"_qs, false, false, SearchTarget::Jalalayn);
    searchRow(u"search \"الله\" in التفسير الميسر"_qs, u"الله"_qs, false, false, SearchTarget::Muyassar);
    {
        TopicWindow topics(w.state(), &w);
        const QString word = u"الصلاة"_qs;
        topics.filterTopics(word.left(1)); // loads the table once
        Row r{u"topic filter, per keystroke of \"الصلاة\""_qs};
        r.ms = timeMs([&] {
            for (qsizetype n = 1; n <= word.size(); ++n)
                topics.filterTopics(word.left(n));
        }) / double(word.size());
        requireRows(topics.findChild<QListWidget *>(u"mainlist"_qs)->count(), word);
        rows.push_back(r);
    }
    // By root and by lemma, beside the letters' search for the same root.
    {
        const double letters = searchRow(u"search \"امن\" (letters)"_qs, u"امن"_qs, false);
        const double root = searchRow(u"search the root \"أمن\""_qs, u"أمن"_qs, false, false, SearchTarget::Quran, WordKey::Root);
        const double lemma = searchRow(u"search the lemma \"كتاب\""_qs, u"كتاب"_qs, false, false, SearchTarget::Quran, WordKey::Lemma);
        std::printf("root / letters: %.2fx, lemma / letters: %.2fx\n", root / letters, lemma / letters);
    }
    std::printf("database file: %lld bytes\n", QFileInfo(folder + u"/zarfan.zf"_qs).size());
    // The searches above went through the texts held in memory, as the
    // program's do: here beside the statement path they replace, from the
    // request to line 0 displayed.
    {
        Row load{u"load the folded texts, word keys and vocabularies"_qs};
        load.ms = timeMs([&] { requireRows(SearchMemory().load(w.state().connectionString()) ? 1 : 0, u"search memory"_qs); }, 3);
        rows.push_back(load);
    }
    SearchMemory memory;
    memory.load(w.state().connectionString());
    const auto memoryRow = [&](const QString &name, const QString &text, bool single, WordKey key = WordKey::Letters) {
        SearchOptions o;
        o.singleWord = single;
        o.key = key;
        const auto run = [&] {
            const SearchAnswer answer = memory.answer(text, o);
            w.state().produceListing(memory.request(answer, text, o));
        };
        run();
        requireRows(w.listing().count(), text);
        Row r{name + u" from memory"_qs};
        r.ms = timeMs(run);
        if (!text.contains(u" + "_qs) && !text.contains(u" - "_qs) && !text.contains(u" | "_qs))
            r.raw = rawMs(folder, buildSearchStatement(text, o));
        rows.push_back(r);
        return r.ms;
    };
    const auto statementRow = [&](const QString &name, const QString &text, bool single) {
        SearchOptions o;
        o.singleWord = single;
        const ReadingState::Request request = *wordSearchRequest(text, o, std::nullopt);
        w.state().produceListing(request);
        requireRows(w.listing().count(), text);
        Row r{name + u" by the statement"_qs};
        r.ms = timeMs([&] { w.state().produceListing(request); });
        r.raw = rawMs(folder, request.statement);
        rows.push_back(r);
        return r.ms;
    };
    for (const auto &[text, single] : {std::pair{u"الله"_qs, false}, std::pair{u"الله"_qs, true}, std::pair{u"امنوا"_qs, false},
                                       std::pair{u"ا"_qs, false}, std::pair{u"الصمد"_qs, false}, std::pair{u"امن"_qs, false}}) {
        const QString name = QStringLiteral("search \"%1\"%2").arg(text, single ? u" single word"_qs : QString());
        const double today = statementRow(name, text, single);
        const double now = memoryRow(name, text, single);
        std::printf("memory / statement for \"%s\"%s: %.2fx\n", qPrintable(text), single ? " (single word)" : "", now / today);
    }
    memoryRow(u"search the root \"أمن\""_qs, u"أمن"_qs, false, WordKey::Root);
    memoryRow(u"search the lemma \"كتاب\""_qs, u"كتاب"_qs, false, WordKey::Lemma);
    {
        Row all{u"listing of all 6236 ayas from memory"_qs};
        SearchAnswer every;
        for (int k = 0; k < memory.text().size(); ++k) {
            every.rows.push_back(k);
            every.hits.push_back(0);
        }
        const auto run = [&] {
            ReadingState::Request request(QString(), qint16(1), ReadingState::Guard::AlsoFullsearch);
            request.records = std::make_shared<const std::vector<ResultRecord>>(every.records(memory.text()));
            w.state().produceListing(request);
        };
        run();
        requireRows(w.listing().count() == 6236 ? 1 : 0, all.name);
        all.ms = timeMs(run);
        all.raw = rawMs(folder, u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '% %'order by ID"_qs);
        rows.push_back(all);
    }
    {
        const double slowest = std::max({memoryRow(u"term \"الله\""_qs, u"الله"_qs, false), memoryRow(u"term \"الصلاه\""_qs, u"الصلاه"_qs, false),
                                         memoryRow(u"term \"الزكاه\""_qs, u"الزكاه"_qs, false)});
        const double three = memoryRow(u"search \"الله + الصلاه | الزكاه\""_qs, u"الله + الصلاه | الزكاه"_qs, false);
        std::printf("three terms / slowest term alone: %.2fx\n", three / slowest);
    }
    {
        const QString word = u"الصابرين"_qs;
        Row r{u"completion offers, per keystroke of \"الصابرين\""_qs};
        const QStringList history = w.state().searchHistory();
        r.ms = timeMs([&] {
            for (qsizetype n = 1; n <= word.size(); ++n)
                requireRows(int(completionOffers(word.left(n), history, memory.words()).size()) + (n == word.size() ? 1 : 0), word.left(n));
        }) / double(word.size());
        rows.push_back(r);
        for (const QString &typo : {u"الصابرن"_qs, u"يا ايهي الذين"_qs, u"يا ايهي الذبن امنوا اتقوا الله"_qs,
                                    u"وتواصو بالحقق وتواصوا بالصبرر"_qs, u"الصبر + الصلاث | الزكاث"_qs}) {
            Row near{QStringLiteral("did you mean, for \"%1\"").arg(typo)};
            near.ms = timeMs([&] { requireRows(int(memory.didYouMean(typo, SearchOptions()).size()), typo); });
            rows.push_back(near);
        }
        // The worst inputs: a pasted text of 5,000 words, and many terms.
        QStringList pasted;
        for (int k = 0; k < 5000; ++k)
            pasted.append(k % 7 ? u"الصابرن"_qs : u"والذبن"_qs);
        QStringList terms;
        for (int k = 0; k < 60; ++k)
            terms.append(k % 2 ? u"الصلاث"_qs : u"الزكاث"_qs);
        for (const auto &[what, text] : {std::pair{u"a pasted text of 5,000 words"_qs, pasted.join(u' ')},
                                         std::pair{u"60 terms joined by |"_qs, terms.join(u" | "_qs)}}) {
            Row near{u"did you mean, for "_qs + what};
            near.ms = timeMs([&] { (void)memory.didYouMean(text, SearchOptions()); });
            rows.push_back(near);
        }
    }
    // The engine at its limit: every mode and scope from memory, the
    // request alone (no listing), as the search box's answer starts.
    {
        const auto answerRow = [&](const QString &name, const QString &text, SearchOptions o) {
            requireRows(int(memory.answer(text, o).rows.size()), name);
            Row r{name + u" (answer from memory)"_qs};
            r.ms = timeMs([&] { (void)memory.answer(text, o); });
            rows.push_back(r);
            return r.ms;
        };
        SearchOptions o, single, pages, jalalayn, muyassar, ranked, root;
        single.singleWord = true;
        pages.searchtype = 6, pages.page1 = 100, pages.page2 = 300;
        jalalayn.target = SearchTarget::Jalalayn;
        muyassar.target = SearchTarget::Muyassar;
        ranked.byRelevance = true;
        root.key = WordKey::Root;
        // The first tafsir search reads the tafsirs: timed on its own.
        {
            Row first{u"first tafsir search, the tafsirs read (once)"_qs};
            SearchMemory fresh;
            fresh.load(w.state().connectionString());
            QElapsedTimer t;
            t.start();
            requireRows(int(fresh.answer(u"الله"_qs, jalalayn).rows.size()), first.name);
            first.ms = double(t.nsecsElapsed()) / 1e6;
            rows.push_back(first);
        }
        const double unscoped = answerRow(u"\"الله\""_qs, u"الله"_qs, o);
        const double scoped = answerRow(u"\"الله\" in pages 100-300"_qs, u"الله"_qs, pages);
        std::printf("scoped / whole for \"الله\": %.2fx\n", scoped / unscoped);
        const double mushaf = answerRow(u"\"ا\""_qs, u"ا"_qs, o);
        const double relevance = answerRow(u"\"ا\" by relevance"_qs, u"ا"_qs, ranked);
        std::printf("by relevance / mushaf order for \"ا\": %.2fx\n", relevance / mushaf);
        answerRow(u"\"الله\" single word"_qs, u"الله"_qs, single);
        answerRow(u"\"قال%موسى\" single word"_qs, u"قال%موسى"_qs, single);
        answerRow(u"\"موسى | هارون\" in pages 100-300"_qs, u"موسى | هارون"_qs, pages);
        answerRow(u"root \"أمن\""_qs, u"أمن"_qs, root);
        answerRow(u"\"الله\" in تفسير الجلالين"_qs, u"الله"_qs, jalalayn);
        answerRow(u"\"الله\" in التفسير الميسر"_qs, u"الله"_qs, muyassar);
        answerRow(u"\"ا\" in التفسير الميسر"_qs, u"ا"_qs, muyassar);
    }

    // Memorising: the similar ayas, their worst aya found by timing each once.
    {
        SimilarAyas similar;
        Row build{u"build the similar ayas from the folded texts"_qs};
        build.ms = timeMs([&] { requireRows(similar.build(memory.text()) ? 1 : 0, build.name); }, 3);
        rows.push_back(build);
        int worst = 0;
        double worstMs = -1;
        std::size_t listed = 0;
        for (int k = 0; k < memory.text().size(); ++k) {
            QElapsedTimer t;
            t.start();
            const std::size_t n = similar.of(k).size();
            const double ms = double(t.nsecsElapsed()) / 1e6;
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
        const auto printedShown = [](ReadingWindow &window) {
            requireRows(int(window.printedPages().value(0).lines.size()), QStringLiteral("printed page %1").arg(window.pageNumber()));
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
    recitationRows();

    // The reader's notes: 5,000 of them, a few lines each, twenty tags.
    {
        QTemporaryDir noted;
        const QString path = noted.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            NotesStore notes(store);
            QJsonArray all;
            const QString body = u"في هذه الآية تذكير بالصبر والشكر، وأن الرزق بيد الله وحده. خاطرة رقم %1\nسطر ثان للتدبر والتأمل في المعاني"_qs;
            for (int i = 0; i < 5000; ++i) {
                const int sura = 1 + i % SuraTables::kSuraCount;
                const int aya = 1 + (i / SuraTables::kSuraCount) % SuraTables::ayaCount(sura);
                all.append(QJsonObject{{u"sura"_qs, sura}, {u"from"_qs, aya}, {u"to"_qs, aya},
                                       {u"text"_qs, body.arg(i)},
                                       {u"tags"_qs, QJsonArray{QStringLiteral("وسم %1").arg(i % 20), u"درس"_qs}}});
            }
            const QByteArray json = QJsonDocument(QJsonObject{{u"format"_qs, u"zarfan-notes"_qs}, {u"version"_qs, 1},
                                                              {u"notes"_qs, all}}).toJson();
            requireRows(NotesTransfer::importJson(notes, json).added, u"5,000 notes"_qs);

            Row open{u"notes window opened with 5,000 notes"_qs};
            open.ms = timeMs([&] {
                NotesBrowser browser(notes, nullptr);
                browser.show();
                QCoreApplication::processEvents();
            });
            rows.push_back(open);
            NotesBrowser browser(notes, nullptr);
            browser.show();
            auto *filter = browser.findChild<QLineEdit *>(u"notesFilter"_qs);
            const QString typed = u"وسم 7 الصبر"_qs;
            Row keys{u"notes window filtered, per keystroke (5,000 notes)"_qs};
            keys.ms = timeMs([&] {
                filter->clear();
                for (int n = 1; n <= typed.size(); ++n) {
                    filter->setText(typed.left(n));
                    QCoreApplication::processEvents();
                }
            }) / double(typed.size());
            requireRows(browser.model().rowCount(), typed);
            rows.push_back(keys);
            Row found{u"search \"الصبر\" in 5,000 notes"_qs};
            found.ms = timeMs([&] { requireRows(int(notes.searchAyas(u"الصبر"_qs).size()), u"notes search"_qs); });
            rows.push_back(found);
            SearchOptions inSura;
            inSura.searchtype = 4; // suras 2-50
            inSura.sora1 = 1, inSura.sora2 = 49;
            for (const auto &[text, o] : {std::pair{u"الصبر + الشكر - النار"_qs, SearchOptions()}, std::pair{u"وسم 7 | درس"_qs, SearchOptions()},
                                          std::pair{u"الصبر + الشكر - النار"_qs, inSura}}) {
                Row r{QStringLiteral("search \"%1\" in 5,000 notes%2").arg(text, o.searchtype ? u", suras 2-50"_qs : QString())};
                r.ms = timeMs([&] { requireRows(int(notes.searchAyas(text, o, &memory.text()).ayas.size()), r.name); });
                rows.push_back(r);
            }
        }
        startupRows(noted.path(), u"start-up with 5,000 notes (process)"_qs, u"5,000 notes"_qs);
    }
    importAndListRows();
    print();
    return 0;
}
