#pragma once

// The source files read and checked, for the writer of the database. Every
// fault is a Failure naming the file and line.
#include <QString>
#include <QStringList>
#include <vector>

#include "tsvtable.h"

namespace zarfan::makedb {


struct Aya {
    int id, sura, aya, juz, page;
    QString text, index, taf, taf2;
    QString folded, tafFolded, taf2Folded;
    QString tafClean, taf2Clean;
    QString uthmani;
    int quarter = 0, manzil = 0, ruku = 0;
    QString sajda;
};

// One word's root and lemma, by its position among the aya's words without
// the pause marks.
struct Word {
    int ayaId, sura, aya, wordNo;
    QString root, lemma, lemmaClean;
};

// One printed line of a mushaf page: a run of words, a sura's heading or a
// basmala. Word numbers count the Uthmani words as wordsOf splits them.
struct PrintedLine {
    int page, line;
    QString kind;
    int sura, firstAya = 0, firstWord = 0, lastAya = 0, lastWord = 0;
};

struct Topic {
    int number, parent;
    QString name;
};

struct TopicRef {
    int topic, sura;
    QString ayat;
};

QStringList wordsOf(const QString &text);
qsizetype wordCount(const QString &text);
std::vector<Aya> readAyat(const QString &dir);
void readMushaf(const QString &dir, std::vector<Aya> &ayat);
std::vector<Word> readWords(const QString &dir, const std::vector<Aya> &ayat);
std::vector<PrintedLine> readLines(const QString &dir, const std::vector<Aya> &ayat);
void readTopics(const QString &dir, std::vector<Topic> &topics, std::vector<TopicRef> &refs);
QStringList readNotices(const QString &path);

} // namespace zarfan::makedb
