#include "bench.h"

#include "data/connectionstring.h"
#include "data/datacontrol.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace zarfan;

namespace bench {

int runs = 7;

void requireRows(int count, const QString &what)
{
    if (count > 0)
        return;
    std::fprintf(stderr, "zarfan-bench: \"%s\" returned no rows; is there a database in the folder?\n", qPrintable(what));
    std::exit(1);
}

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

} // namespace bench
