#pragma once

#include <QString>
#include <vector>

struct sqlite3;

namespace zarfan::makedb {

// What a reader of the Arabic needs to understand it: the translations with
// their editions, and each Uthmani word's English gloss and transliteration.
struct Edition {
    QString key, language, direction, languageName, translator, source;
};
struct WordGloss {
    int ayaId, word;
    QString gloss, transliteration;
};
struct Understanding {
    std::vector<Edition> editions;
    std::vector<std::vector<QString>> texts; // by edition, then aya ID - 1
    std::vector<WordGloss> words;
};

// The aya a row must be for, and how many Uthmani words it has.
struct AyaWords {
    int sura, aya, words;
};

// Reads translation-editions.tsv, translations.tsv and words-en.tsv,
// refusing what does not match the ayas with file and line.
Understanding readUnderstanding(const QString &dir, const std::vector<AyaWords> &ayas);

// Creates and fills their tables inside the builder's transaction.
void writeUnderstanding(sqlite3 *db, const QString &path, const Understanding &data);

} // namespace zarfan::makedb
