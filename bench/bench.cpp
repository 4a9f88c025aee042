// Measures the program's main paths against the raw statements they run and
// against a fill that yields after every row. Prints a table of medians.
#include "bench.h"

#include <chrono>

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

double timeMs(const std::function<void()> &f, int n)
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

namespace {

QProcessEnvironment startEnvironment(const QString &userData, const QString &quit)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ZARFAN_QUIT_AFTER_SHOW"_qs, quit);
    env.insert(u"ZARFAN_LOCK_FILE"_qs, QDir::temp().filePath(u"zarfan-bench.lock"_qs));
    env.insert(u"ZARFAN_USER_DATA"_qs, userData);
    return env;
}

// One start as a process: to the moment its window is up, by the clock it
// prints then, and to its end.
std::pair<double, double> startSample(const QProcessEnvironment &env)
{
    const QString program = QCoreApplication::applicationDirPath() + u"/zarfan"_qs;
    QProcess p;
    p.setProcessEnvironment(env);
    const auto begun = std::chrono::steady_clock::now();
    p.start(program, {});
    while (!p.canReadLine() && p.state() != QProcess::NotRunning)
        p.waitForReadyRead(1000);
    const QList<QByteArray> said = p.readLine().trimmed().split(' ');
    bool read = false;
    const qint64 shownAt = said.value(1).toLongLong(&read);
    if (said.value(0) != "shown" || !read) {
        std::fprintf(stderr, "zarfan-bench: \"%s\" did not say when its window was up\n", qPrintable(program));
        std::exit(1);
    }
    requireRun(p, program);
    const auto since = [&](auto at) { return double(std::chrono::duration_cast<std::chrono::nanoseconds>(at - begun).count()) / 1e6; };
    return {since(std::chrono::steady_clock::time_point(std::chrono::nanoseconds(shownAt))), since(std::chrono::steady_clock::now())};
}

} // namespace

// Starts of the program to a shown main window, as a process to its end,
// with the reader's data in the folder given.
double startupMs(const QString &userData)
{
    const QProcessEnvironment env = startEnvironment(userData, u"1"_qs);
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i)
        samples.push_back(startSample(env).second);
    return median(samples);
}

// Start-up to a shown main window, the whole program as a process: with no
// reader's data, then with the data in the folder given.
void startupRows(const QString &userData, const QString &name, const QString &what)
{
    QTemporaryDir empty;
    Row none{u"start-up of the program to a shown main window (process)"_qs};
    none.ms = startupMs(empty.path());
    rows.push_back(none);
    Row r{name};
    r.ms = startupMs(userData);
    rows.push_back(r);
    std::printf("start-up with %s / without: %.2fx\n", qPrintable(what), r.ms / none.ms);
}

// The same start with the search texts read before it ends, as the program
// reads them once the window is up; then, in process, from the window shown to
// the first search answered from memory.
void searchStartRows(const QString &folder)
{
    QTemporaryDir empty;
    // The two starts take turns, so a change in the machine's load falls on
    // both alike; three times the runs, as one start varies by milliseconds.
    const QProcessEnvironment without = startEnvironment(empty.path(), u"1"_qs),
                              with = startEnvironment(empty.path(), u"search"_qs);
    std::vector<double> shownNone, shownRead, endNone, endRead;
    for (int i = 0; i < 3 * runs; ++i) {
        const auto [shown, end] = startSample(without);
        shownNone.push_back(shown);
        endNone.push_back(end);
        const auto [shownAfter, endAfter] = startSample(with);
        shownRead.push_back(shownAfter);
        endRead.push_back(endAfter);
    }
    Row none{u"start-up to a shown main window, the search texts not read (process)"_qs};
    none.ms = median(endNone);
    Row read{u"start-up to a shown main window and the search texts read (process)"_qs};
    read.ms = median(endRead);
    Row windowNone{u"start-up to a shown main window, the search texts not read"_qs};
    windowNone.ms = median(shownNone);
    Row windowRead{u"start-up to a shown main window, the search texts read after it"_qs};
    windowRead.ms = median(shownRead);
    rows.insert(rows.end(), {none, read, windowNone, windowRead});
    std::printf("start-up with the search texts read / without: %.2fx\n", read.ms / none.ms);
    std::printf("start-up to the shown window, the search texts read after it / without: %.2fx\n",
                windowRead.ms / windowNone.ms);
    Row first{u"the first search answered from memory after the window shows"_qs};
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        // As the program starts: once the window is up, the search texts
        // read on a thread of their own and taken up, then the search.
        ReadingState state(folder);
        MainWindow w(state);
        w.show();
        QCoreApplication::processEvents();
        QElapsedTimer t;
        t.start();
        QEventLoop taken;
        QObject::connect(&state, &ReadingState::searchMemoryRead, &taken, &QEventLoop::quit);
        state.startSearchMemory();
        taken.exec();
        state.listingControl().open();
        w.findChild<QLineEdit *>(u"searcht"_qs)->setText(u"الله"_qs);
        w.runSearch();
        samples.push_back(double(t.nsecsElapsed()) / 1e6);
        requireRows(w.state().hasSearchMemory() && w.state().searchMemory().isLoaded() ? w.listing().count() : 0, first.name);
    }
    first.ms = median(samples);
    rows.push_back(first);
}

namespace {

// A process's resident memory in MB, 0 when it cannot be read.
double residentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0.0;
}

// Run as a process of its own (--rss-probe): the main window with its
// search texts read, a tafsir searched, then the results window over every
// aya; prints the resident memory.
int rssProbe(const QString &folder)
{
    MainWindow w(folder);
    w.show();
    QCoreApplication::processEvents();
    // Read after the window shows, as the program does.
    requireRows(w.state().searchMemory().isLoaded() ? 1 : 0, u"the search texts"_qs);
    auto *box = w.findChild<QLineEdit *>(u"searcht"_qs);
    w.state().setSearchTarget(SearchTarget::Muyassar);
    box->setText(u"الله"_qs);
    w.runSearch();
    requireRows(w.listing().count(), u"a tafsir search"_qs);
    w.state().setSearchTarget(SearchTarget::Quran);
    box->setText(u"%"_qs);
    w.runSearch();
    requireRows(w.listing().count() == 6236 ? 1 : 0, u"every aya"_qs);
    ResultsTextWindow window(w.state(), &w);
    window.show();
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    std::printf("%.1f\n", residentMb(QCoreApplication::applicationPid()));
    return 0;
}

// The program's resident memory once started and settled (the window
// shown, the database keyed, the search texts read), as a process of its own.
void startMemoryRow(const QString &folder)
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
    const auto rss = [&] { return residentMb(p.processId()); };
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
    // The same libraries in the bench's own program, doing what a reader does.
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QCoreApplication::applicationFilePath(), {u"--rss-probe"_qs, folder});
    requireRun(probe, u"--rss-probe"_qs);
    std::printf("memory with the results window over every aya and a tafsir searched (RSS, the bench's own process): %s MB\n",
                probe.readAllStandardOutput().trimmed().constData());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initResources();
    installFontSubstitutions();
    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == u"--rss-probe")
        return rssProbe(args.at(2));
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

    startMemoryRow(folder);

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
    searchStartRows(folder);
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
    Bench bench{folder, w, w.findChild<QLineEdit *>(u"searcht"_qs)};
    bench.searchRows();
    bench.memoryRows();
    bench.memoriseRows();
    bench.readingRows();
    recitationRows();
    bench.notesRows();
    print();
    return 0;
}
