#include "makedb.h"
#include "makedbsources.h"
#include "searchindexes.h"
#include "understandingdata.h"
#include "tajweedspans.h"
#include "browse/suratables.h"

#include "data/sqlite.h"
#include "search/arabicfolding.h"
#include "search/searchstatement.h"

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zarfan::makedb {

namespace {

void bindValue(sql::Statement &insert, int column, int value) { insert.bind(column, qint64(value)); }
void bindValue(sql::Statement &insert, int column, const QString &value) { insert.bind(column, value); }

// One row: the values bound in column order.
template <class... Values>
void insertRow(sql::Statement &insert, const sql::Database &db, const QString &path, const Values &...values)
{
    int column = 0;
    (bindValue(insert, ++column, values), ...);
    if (!insert.execute())
        fail(path, 0, db.errorMessage());
    insert.reset();
}

std::vector<StoredSpan> readTajweed(const QString &dir, const std::vector<Aya> &ayat)
{
    const Table t = readTable(dir, QStringLiteral("tajweed.tsv"), tajweedHeader());
    std::vector<TajweedRow> rows;
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        rows.push_back({number(t, r, 0, 1, SuraTables::kSuraCount, "sura"), number(t, r, 1, 1, 286, "aya"),
                        number(t, r, 2, 0, 100000, "start"), number(t, r, 3, 0, 100000, "end"), t.rows[r].at(4), t.lineNumbers[r]});
    std::vector<QString> texts;
    for (const Aya &a : ayat)
        texts.push_back(a.uthmani);
    return checkTajweed(rows, texts, [&](int line, const QString &what) { fail(t.file, line, what); });
}

void write(const QString &path, const QString &password, const std::vector<Aya> &ayat,
           const std::vector<Topic> &topics, const std::vector<TopicRef> &refs, const QStringList &notices,
           const std::vector<Word> &words, const std::vector<PrintedLine> &printedLines, const Understanding &understanding,
           const std::vector<StoredSpan> &tajweed)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sql::Database db(raw);
    if (rc != SQLITE_OK)
        fail(path, 0, db.errorMessage());
    QString quoted = password;
    quoted.replace(u'\'', QStringLiteral("''"));
    const auto exec = [&](const QByteArray &sql) {
        if (!db.exec(sql))
            fail(path, 0, db.errorMessage());
    };
    exec("PRAGMA key = '" + quoted.toUtf8() + "';");
    exec("PRAGMA journal_mode = OFF;");
    exec("BEGIN;");
    // The searched aya columns come first: a scan reaches them without
    // reading through the long tafsir texts.
    exec("CREATE TABLE Ayat (ID INTEGER PRIMARY KEY, soraano INTEGER NOT NULL, ayaano INTEGER NOT NULL, "
         "chapterNO INTEGER NOT NULL, pageno INTEGER NOT NULL, AyaaIndex TEXT NOT NULL, AyaaFolded TEXT NOT NULL, "
         "Ayaa TEXT NOT NULL, taf TEXT NOT NULL, taf2 TEXT NOT NULL, tafFolded TEXT NOT NULL, taf2Folded TEXT NOT NULL, "
         "tafClean TEXT NOT NULL, taf2Clean TEXT NOT NULL);");
    exec("CREATE TABLE topics_name (ID INTEGER PRIMARY KEY, Topic_No INTEGER NOT NULL, "
         "Topic_Name TEXT NOT NULL, Mother_Topic TEXT NOT NULL, Topic_NameFolded TEXT NOT NULL);");
    exec("CREATE TABLE topic_Ayat (ID INTEGER PRIMARY KEY, Topic_No INTEGER NOT NULL, "
         "Sura_No TEXT NOT NULL, Ayat_No TEXT NOT NULL);");
    // The printed mushaf's text and divisions, for the reading window; a
    // page is read through its index.
    exec("CREATE TABLE Mushaf (ID INTEGER PRIMARY KEY, page INTEGER NOT NULL, quarter INTEGER NOT NULL, "
         "manzil INTEGER NOT NULL, ruku INTEGER NOT NULL, sajda TEXT NOT NULL, uthmani TEXT NOT NULL);");
    exec("CREATE INDEX MushafPage ON Mushaf (page, ID);");
    // The printed lines of each page: a text line runs over the Uthmani
    // words firstAya:firstWord to lastAya:lastWord of its sura.
    exec("CREATE TABLE MushafLines (page INTEGER NOT NULL, line INTEGER NOT NULL, kind TEXT NOT NULL, "
         "sura INTEGER NOT NULL, firstAya INTEGER NOT NULL, firstWord INTEGER NOT NULL, lastAya INTEGER NOT NULL, "
         "lastWord INTEGER NOT NULL, PRIMARY KEY (page, line)) WITHOUT ROWID;");
    exec("CREATE TABLE data_notice (ID INTEGER PRIMARY KEY, Notice TEXT NOT NULL);");
    // One row per word and lemma part (a word of several lemmas has a row for
    // each, the whole lemma in every one), keyed by wordRowId. The rows are kept in root
    // order, so a root search reads one run of them and needs no index of
    // its own; a lemma search reads the table through (a few milliseconds).
    // That keeps the file small.
    exec("CREATE TABLE Words (ID INTEGER NOT NULL, soraano INTEGER NOT NULL, ayaano INTEGER NOT NULL, "
         "wordno INTEGER NOT NULL, root TEXT NOT NULL, lemma TEXT NOT NULL, rootFolded TEXT NOT NULL, "
         "lemmaFolded TEXT NOT NULL, PRIMARY KEY (rootFolded, ID)) WITHOUT ROWID;");

    sql::Statement insAya(raw, "INSERT INTO Ayat VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?);");
    for (const Aya &a : ayat)
        insertRow(insAya, db, path, a.id, a.sura, a.aya, a.juz, a.page, a.index, a.folded, a.text, a.taf, a.taf2,
                  a.tafFolded, a.taf2Folded, a.tafClean, a.taf2Clean);
    sql::Statement insMushaf(raw, "INSERT INTO Mushaf VALUES (?,?,?,?,?,?,?);");
    for (const Aya &a : ayat)
        insertRow(insMushaf, db, path, a.id, a.page, a.quarter, a.manzil, a.ruku, a.sajda, a.uthmani);
    sql::Statement insLine(raw, "INSERT INTO MushafLines VALUES (?,?,?,?,?,?,?,?);");
    for (const PrintedLine &l : printedLines)
        insertRow(insLine, db, path, l.page, l.line, l.kind, l.sura, l.firstAya, l.firstWord, l.lastAya, l.lastWord);
    sql::Statement insTopic(raw, "INSERT INTO topics_name VALUES (?,?,?,?,?);");
    qint64 id = 0;
    for (const Topic &t : topics) {
        insTopic.bind(1, ++id);
        insTopic.bind(2, qint64(t.number));
        insTopic.bind(3, t.name);
        insTopic.bind(4, QString::number(t.parent));
        insTopic.bind(5, foldArabic(t.name));
        if (!insTopic.execute())
            fail(path, 0, db.errorMessage());
        insTopic.reset();
    }
    sql::Statement insRef(raw, "INSERT INTO topic_Ayat VALUES (?,?,?,?);");
    id = 0;
    for (const TopicRef &r : refs) {
        insRef.bind(1, ++id);
        insRef.bind(2, qint64(r.topic));
        insRef.bind(3, QString::number(r.sura));
        insRef.bind(4, r.ayat);
        if (!insRef.execute())
            fail(path, 0, db.errorMessage());
        insRef.reset();
    }
    // Rows go in in key order, so that the pages fill up.
    struct WordRow {
        QString rootFolded;
        qint64 id;
        const Word *word;
        QString lemmaFolded;
    };
    std::vector<WordRow> wordRows;
    wordRows.reserve(words.size() + words.size() / 100);
    for (const Word &w : words) {
        const QStringList parts = w.lemmaClean.split(u'|');
        for (qsizetype part = 0; part < parts.size(); ++part)
            wordRows.push_back({foldRoot(w.root), wordRowId(w.ayaId, w.wordNo, int(part)), &w, foldArabic(parts.at(part))});
    }
    // The engine's order of text keys: by their UTF-8 bytes.
    std::sort(wordRows.begin(), wordRows.end(), [](const WordRow &a, const WordRow &b) {
        const QByteArray ka = a.rootFolded.toUtf8(), kb = b.rootFolded.toUtf8();
        return ka != kb ? ka < kb : a.id < b.id;
    });
    sql::Statement insWord(raw, "INSERT INTO Words VALUES (?,?,?,?,?,?,?,?);");
    for (const WordRow &row : wordRows) {
        insWord.bind(1, row.id);
        insWord.bind(2, qint64(row.word->sura));
        insWord.bind(3, qint64(row.word->aya));
        insWord.bind(4, qint64(row.word->wordNo));
        insWord.bind(5, row.word->root);
        insWord.bind(6, row.word->lemma);
        insWord.bind(7, row.rootFolded);
        insWord.bind(8, row.lemmaFolded);
        if (!insWord.execute())
            fail(path, 0, db.errorMessage());
        insWord.reset();
    }
    if (!writeTajweed(raw, tajweed))
        fail(path, 0, db.errorMessage());
    sql::Statement insNotice(raw, "INSERT INTO data_notice (Notice) VALUES (?);");
    for (const QString &notice : notices) {
        insNotice.bind(1, notice);
        if (!insNotice.execute())
            fail(path, 0, db.errorMessage());
        insNotice.reset();
    }
    writeUnderstanding(raw, path, understanding);
    QStringList written, folded;
    for (const Aya &a : ayat) {
        written.append(a.index);
        folded.append(a.folded);
    }
    if (!writeSearchIndexes(raw, written, folded))
        fail(path, 0, db.errorMessage());
    if (!writeMemoryIndexes(raw))
        fail(path, 0, db.errorMessage());
    exec("COMMIT;");
}

} // namespace

QStringList compactReferences(std::vector<int> ayas, int itemsPerRow)
{
    std::sort(ayas.begin(), ayas.end());
    ayas.erase(std::unique(ayas.begin(), ayas.end()), ayas.end());
    QStringList items;
    for (std::size_t i = 0; i < ayas.size();) {
        std::size_t j = i;
        while (j + 1 < ayas.size() && ayas[j + 1] == ayas[j] + 1)
            ++j;
        if (j - i >= 2) {
            items.append(QStringLiteral("%1-%2").arg(ayas[i]).arg(ayas[j]));
        } else {
            for (std::size_t k = i; k <= j; ++k)
                items.append(QString::number(ayas[k]));
        }
        i = j + 1;
    }
    QStringList rows;
    for (qsizetype i = 0; i < items.size(); i += itemsPerRow)
        rows.append(items.mid(i, itemsPerRow).join(u','));
    return rows;
}

QString searchableText(const QString &clean) { return u' ' + wordsOf(clean).join(u' ') + u' '; }

QString defaultNoticesPath() { return QStringLiteral(ZARFAN_NOTICES_FILE); }

QStringList splitNotices(const QString &text)
{
    QStringList sections;
    QString current;
    for (const QString &line : text.split(u'\n')) {
        if (line.size() >= 20 && line.count(u'=') == line.size()) {
            sections.append(current.trimmed());
            current.clear();
        } else {
            current += line + u'\n';
        }
    }
    sections.append(current.trimmed());
    return sections;
}

Result build(const QString &dataDir, const QString &outPath, const QString &noticesPath, const QString &password)
{
    Result result;
    const QString temp = outPath + QStringLiteral(".part");
    QFile::remove(temp);
    try {
        std::vector<Aya> ayat = readAyat(dataDir);
        readMushaf(dataDir, ayat);
        const std::vector<PrintedLine> printedLines = readLines(dataDir, ayat);
        std::vector<Topic> topics;
        std::vector<TopicRef> refs;
        readTopics(dataDir, topics, refs);
        const std::vector<Word> words = readWords(dataDir, ayat);
        const std::vector<StoredSpan> tajweed = readTajweed(dataDir, ayat);
        const QStringList notices = readNotices(noticesPath);
        std::vector<AyaWords> ayaWords;
        for (const Aya &a : ayat)
            ayaWords.push_back({a.sura, a.aya, int(wordCount(a.uthmani))});
        const Understanding understanding = readUnderstanding(dataDir, ayaWords);
        write(temp, password, ayat, topics, refs, notices, words, printedLines, understanding, tajweed);
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(temp).toStdString(), QFile::encodeName(outPath).toStdString(), ec);
        if (ec)
            fail(outPath, 0, QStringLiteral("cannot be replaced: %1").arg(QString::fromStdString(ec.message())));
        result.ok = true;
    } catch (const Failure &f) {
        QFile::remove(temp);
        result.error = f.message;
    }
    return result;
}

} // namespace zarfan::makedb
