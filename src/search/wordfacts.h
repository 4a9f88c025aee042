#pragma once

#include "data/datacontrol.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace zarfan {

// The root and lemma of a word of the word table.
struct WordFacts {
    QString root, lemma;
    QString lemmaKey; // the first lemma as the search matches it
};

// The facts of the words of the aya on display, read once per aya.
class AyaWordFacts {
public:
    explicit AyaWordFacts(const QString &connectionString);

    // The word under a position of the aya's text (shown without its line);
    // none off the aya's words. A word the table lacks has empty facts.
    std::optional<WordFacts> wordAt(int ayaId, QStringView ayaText, int position);

private:
    DataControl words_;
    int loadedFor_ = 0;
    std::vector<WordFacts> facts_; // by word number - 1
};

} // namespace zarfan
