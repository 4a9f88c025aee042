#pragma once

// What the benchmark rows share: the timing helpers, the table of rows and
// the main window the in-process rows run in.
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
#include "search/preparedindex.h"
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

extern int runs;

void requireRows(int count, const QString &what);
void requireRun(QProcess &p, const QString &what);
double median(std::vector<double> v);
double timeMs(const std::function<void()> &f, int n = runs);
double rawMs(const QString &folder, const QString &statement);

struct Row {
    QString name;
    double ms = 0, raw = 0, perRow = -1;
    int perRowCount = 0;
    QString error = {}; // what kept the row from being measured
};
extern std::vector<Row> rows;
void print();

void tajweedRows(ReadingState &state, ReadingWindow &window);
void recitationRows();
double startupMs(const QString &userData);
void startupRows(const QString &userData, const QString &name, const QString &what);
void searchStartRows(const QString &folder);
void importAndListRows();

// The rows measured in the shown main window, in the order they print.
struct Bench {
    const QString &folder;
    MainWindow &w;
    QLineEdit *searcht;
    SearchMemory memory = {};

    void fill(const QString &statement, qint16 mixed);
    void listingRow(const QString &name, const QString &statement);
    void setOption(const char *name, bool on);
    double searchRow(const QString &name, const QString &text, bool single, bool literal = false,
                     SearchTarget target = SearchTarget::Quran, WordKey key = WordKey::Letters);

    void searchRows();
    void memoryRows();
    void memoriseRows();
    void readingRows();
    void notesRows();
};
