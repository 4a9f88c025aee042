#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zarfan::makedb {

inline constexpr char kPassword[] = "kelbo7301946";

// Aya numbers as the topic table stores them: ascending, runs of three or
// more written a-b, at most ten items a row.
QStringList compactReferences(std::vector<int> ayas, int itemsPerRow = 10);

// The searchable text: the clean text without its pause-mark tokens, with one
// blank before and after so that single-word search finds the edge words.
QString searchableText(const QString &clean);

struct Result {
    bool ok = false;
    QString error; // "file:line: what is wrong"
};

// The data's notices, one section per source, that the program installs and
// the database keeps in its notice table.
QString defaultNoticesPath();
// The sections of the notices file: the text between lines of '='.
QStringList splitNotices(const QString &text);

// Reads the source files of dataDir and writes the keyed database at outPath,
// through a temporary file that is renamed only when everything succeeded.
Result build(const QString &dataDir, const QString &outPath, const QString &noticesPath = defaultNoticesPath(),
             const QString &password = QString::fromLatin1(kPassword));

} // namespace zarfan::makedb
