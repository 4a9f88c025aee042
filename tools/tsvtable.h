#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The builder's reading of the data's TAB-separated files, shared by the
// readers of each kind of data.
namespace zarfan::makedb {

// What stops the build: "file:line: what is wrong".
class Failure {
public:
    QString message;
};

struct Table {
    QString file;
    std::vector<QStringList> rows; // without the header
    std::vector<int> lineNumbers;
};

[[noreturn]] void fail(const QString &file, int line, const QString &what);

// Only a regular file: a pipe or device in its place would block the build.
QByteArray readRegularFile(const QString &path, const QString &name);

// The rows of dir/name under exactly that header, each with its line number.
Table readTable(const QString &dir, const QString &name, const QStringList &header, bool noticeBlock = false);

// Field column of a row as a plain number from low to high, else a failure.
int number(const Table &t, std::size_t row, int column, int low, int high, const char *what);

} // namespace zarfan::makedb
