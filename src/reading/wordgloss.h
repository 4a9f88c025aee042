#pragma once

#include "data/datacontrol.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace zarfan {

// A word's meaning in English and its sound in Latin letters.
struct WordGloss {
    QString gloss, transliteration;
    // "gloss (transliteration)", as a tip and a screen reader give it; the
    // gloss alone when it already holds several words' sounds.
    QString text() const;
};

// The glosses of the Uthmani words, by aya, read once for each aya asked
// for. An imla'i word takes the gloss of the Uthmani word(s) the printed
// page aligns it with.
class WordGlosses {
public:
    explicit WordGlosses(const QString &connectionString);

    // The word of the aya's Uthmani text (as stored) under position; none
    // off its words.
    std::optional<WordGloss> atUthmani(int ayaId, QStringView uthmaniText, qsizetype position);
    // The same for the aya's imla'i text as shown, with or without diacritics.
    std::optional<WordGloss> atImlaei(int ayaId, QStringView imlaeiText, qsizetype position);
    // Word n (from 1) of the aya's Uthmani words.
    std::optional<WordGloss> uthmaniWord(int ayaId, int n);

private:
    bool load(int ayaId);

    DataControl data_;
    int loadedFor_ = 0;
    QString uthmani_;
    std::vector<WordGloss> glosses_; // by Uthmani word number - 1
};

} // namespace zarfan
