#pragma once

// What every part of the benchmark shares: the timing, the rows measured and
// the table they are printed as.
#include <QProcess>
#include <QString>
#include <functional>
#include <vector>

namespace zarfan {
class MainWindow;
class SearchMemory;
} // namespace zarfan

namespace bench {

extern int runs;

// A measurement of a statement that found nothing measures nothing.
void requireRows(int count, const QString &what);
// A process that did not start, or did not end well, measured nothing.
void requireRun(QProcess &p, const QString &what);
double median(std::vector<double> v);
double timeMs(const std::function<void()> &f, int n = runs);
// The statement through a data control: refresh and a walk that reads the
// row fields a listing reads.
double rawMs(const QString &folder, const QString &statement);

struct Row {
    QString name;
    double ms = 0, raw = 0, perRow = -1;
    int perRowCount = 0;
    QString error = {}; // what kept the row from being measured
};
extern std::vector<Row> rows;
void print();

// Start-up to a shown main window, the whole program as a process: with no
// reader's data, then with the data in the folder given.
void startupRows(const QString &userData, const QString &name, const QString &what);

// The parts measured in files of their own.
void recitationRows();
void importAndListRows();
void notesRows();
void memoriseRows(zarfan::MainWindow &w, const QString &folder, const zarfan::SearchMemory &memory);
void readingRows(zarfan::MainWindow &w, const std::function<void(const QString &, qint16)> &fill);

} // namespace bench
