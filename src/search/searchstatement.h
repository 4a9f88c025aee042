#pragma once

#include <QString>

namespace zarfan {

// Which text a search looks in; the reader's notes are kept apart from the
// database and searched there, the chosen translation in memory.
enum class SearchTarget { Quran, Jalalayn, Muyassar, Notes, Translation };

// A search by the words' root or lemma instead of their letters. A typed
// lemma matches folded; a word's own lemma (from its context menu) matches as
// the word table writes it.
enum class WordKey { Letters, Root, Lemma, ExactLemma };

// What the word search reads from the options window: the scope code, the
// mode, the selected positions (-1 when nothing is selected), whether the
// spelling must match as typed, and which text is searched.
struct SearchOptions {
    int searchtype = 0;
    bool singleWord = false;
    int part = -1, part1 = -1, part2 = -1;
    int sora = -1, sora1 = -1, sora2 = -1;
    int hizb = -1;            // scope 5: one hizb
    int page1 = 1, page2 = 604; // scope 6: a run of pages (numbers, not positions)
    bool literal = false;
    SearchTarget target = SearchTarget::Quran;
    WordKey key = WordKey::Letters;
    bool byRelevance = false; // the ayas ordered by relevance, not in the mushaf's order
};

// The column a search looks in (the statement puts "Ayat." before it).
QString searchColumn(const SearchOptions &options);

// The typed text as the statement searches for it: folded by default,
// only cleaned in the literal mode. Empty when nothing searchable is left.
QString searchedText(const QString &typed, const SearchOptions &options);

// Single quotes are doubled so that a quote is searched for and cannot end
// the pattern; % and _ stay wildcards.
QString escapeSearchText(const QString &text);

// A row of the word table is keyed by its aya, its word and its lemma part;
// the key orders an aya's rows by word.
constexpr qint64 wordRowId(int ayaId, int wordNo, int part) { return qint64(ayaId) * 1000 + wordNo * 4 + part; }
constexpr int ayaOfWordRow(qint64 id) { return int(id / 1000); }
constexpr int wordOfWordRow(qint64 id) { return int(id % 1000 / 4); }

// The words of a root or lemma, one row per word (and lemma part): their
// row IDs, or only the aya IDs.
QString wordsQuery(const QString &key, WordKey by, bool ayasOnly);

// The condition on Ayat of the options' scope, or "" for the whole text.
QString scopeCondition(const SearchOptions &options);

// The one SELECT statement of a word search for the trimmed text (folded or
// cleaned here as the options say).
QString buildSearchStatement(const QString &text, const SearchOptions &options);

// Leading and trailing blanks (the space character only) removed.
QString trimBlanks(const QString &text);

} // namespace zarfan
