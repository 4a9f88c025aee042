#pragma once

#include "data/datacontrol.h"
#include "data/sqlite.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace testutil {

inline QString dataDir() { return QStringLiteral(ZARFAN_TEST_DATA_DIR); }
inline QString realDbFolder() { return QStringLiteral(ZARFAN_TEST_DB_DIR); }
inline QString fixturePath(const QString &name) { return QStringLiteral(ZARFAN_TEST_FIXTURES) + u'/' + name; }

// Writes a keyed database at path from SQL text; returns false on failure.
inline bool makeDatabase(const QString &path, const QByteArray &sql, const QByteArray &password = "kelbo7301946")
{
    QFile::remove(path);
    sqlite3 *raw = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &raw);
    zarfan::sql::Database db(raw);
    return db.exec("PRAGMA key = '" + password + "';") && db.exec(sql);
}

inline QByteArray miniSql()
{
    QFile file(fixturePath(QStringLiteral("mini.sql")));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Every row of a data control's record source: one string per row with the
// named columns joined by '|'.
inline QStringList walk(zarfan::DataControl &dc, const QStringList &columns)
{
    QStringList rows;
    dc.refresh();
    while (!dc.eof()) {
        QStringList values;
        for (const QString &c : columns)
            values.append(dc.field(c));
        rows.append(values.join(u'|'));
        dc.moveNext();
    }
    return rows;
}

// The scripture source, read independently of the database builder.
struct SourceAya {
    int id, sura, aya, juz, page;
    QString text, clean;
};

inline std::vector<SourceAya> readSource()
{
    std::vector<SourceAya> out;
    QFile file(dataDir() + QStringLiteral("/quran.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines.at(i).split(u'\t');
        out.push_back({f[0].toInt(), f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5], f[6]});
    }
    return out;
}

// A file of the test's own in dir; its path, or empty when it could not be written whole.
inline QString writtenFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    return file.fileName();
}

// Counts problem reports while alive.
struct ProblemCounter {
    QStringList messages;
    ProblemCounter();
    ~ProblemCounter();
};

} // namespace testutil
