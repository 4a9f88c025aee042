#include "wordfacts.h"

#include "search/occurrences.h"
#include "search/searchstatement.h"

namespace zarfan {

AyaWordFacts::AyaWordFacts(const QString &connectionString)
{
    words_.setConnectionString(connectionString);
}

std::optional<WordFacts> AyaWordFacts::wordAt(int ayaId, QStringView ayaText, int position)
{
    if (ayaId <= 0 || position < 0 || position >= ayaText.size())
        return std::nullopt;
    const WordMap words = mapWords(ayaText, WordForm::Cleaned);
    int word = 0;
    for (int k = 0; k < words.display.size(); ++k) {
        const TextRange &r = words.display.at(k);
        if (position >= r.start && position < r.start + r.length)
            word = k + 1;
    }
    if (word == 0)
        return std::nullopt;
    if (loadedFor_ != ayaId) {
        facts_.clear();
        words_.setRecordSource(QStringLiteral("SELECT *  FROM Words where ID between %1 and %2 order by ID")
                                   .arg(wordRowId(ayaId, 0, 0))
                                   .arg(wordRowId(ayaId + 1, 0, 0) - 1));
        words_.refresh();
        const int cWord = words_.column(u"wordno"), cRoot = words_.column(u"root");
        const int cLemma = words_.column(u"lemma"), cKey = words_.column(u"lemmaFolded");
        for (; !words_.eof(); words_.moveNext()) {
            const int n = words_.field(cWord).toInt();
            if (n < 1 || n > 1000)
                continue;
            if (std::size_t(n) > facts_.size())
                facts_.resize(std::size_t(n));
            WordFacts &facts = facts_[std::size_t(n - 1)];
            if (facts.root.isEmpty() && facts.lemma.isEmpty()) // the first lemma part comes first
                facts = {words_.field(cRoot), words_.field(cLemma), words_.field(cKey)};
        }
        loadedFor_ = ayaId;
    }
    if (std::size_t(word) > facts_.size())
        return WordFacts{};
    return facts_[std::size_t(word - 1)];
}

} // namespace zarfan
