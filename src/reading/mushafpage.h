#pragma once

#include "search/arabicfolding.h"

#include "data/datacontrol.h"
#include "search/occurrences.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

namespace zarfan {

// The two scripts a page is read in: the aya text as the main window shows
// it, or Tanzil's Uthmani text.
enum class Script { Imlaei, Uthmani };

struct PageAya {
    int id = 0, sura = 0, aya = 0, juz = 0, quarter = 0;
    QString sajda;           // "", "recommended" or "obligatory"
    qsizetype start = 0;     // of the aya in the page text
    qsizetype wordsEnd = 0;  // where its words end and its end mark begins
    qsizetype end = 0;       // after its end mark
    QString imlaei;          // the text a search matches, in either script
};

// One page of the Madani mushaf as text: blocks joined by '\n', each sura's
// run of ayas one block, its heading and basmala blocks of their own.
struct MushafPage {
    static constexpr int kFirst = 1;
    static constexpr int kLast = 604;

    int number = 0;
    Script script = Script::Imlaei;
    QString text;
    QList<int> headingBlocks;  // "سورة " and the name, centred
    QList<int> basmalaBlocks;  // centred
    QList<int> translationBlocks; // each aya's translation, in a block of its own after it
    std::vector<PageAya> ayas;
    QString label;             // juz, hizb, quarter, sura and sajda of the page

    bool isEmpty() const { return ayas.empty(); }
    // The aya at a text position, or nullptr between ayas.
    const PageAya *ayaAt(qsizetype position) const;
    const PageAya *find(int id) const;
};

// The page ranges of the words the listing's search matched: by letters in
// the imla'i text, or by word number for a root or lemma search. In the
// Uthmani script word k is word k of the imla'i text where both split the aya
// alike; elsewhere the two scripts' words are aligned by their letters.
QList<TextRange> matchedRanges(const MushafPage &page, const SearchMatch &match, const WordsByAya &wordsOfRootOrLemma);

// For each word of imlaei (its display words), the words of shown that show
// it: the same word where both split alike, else aligned by their letters.
QList<QList<int>> alignWords(QStringView imlaeiText, const WordMap &imlaei, QStringView shownText, const WordMap &shown);

// The mark after an aya: its number between ornate brackets.
QString ayaEndMark(int aya);
int clampPage(int page);

// The basmala as each script writes it, read once from the text of 1:1.
class BasmalaTexts {
public:
    const QString &of(DataControl &data, Script script, int sura);

private:
    QString texts_[3]; // imla'i; Uthmani; Uthmani of suras 95 and 97
};

// Reads pages from the database, one statement a page.
class MushafReader {
public:
    explicit MushafReader(const QString &connection);
    // An empty page when the database cannot give it.
    MushafPage page(int number, Script script);
    // The page an aya lies on; 0 when unknown.
    int pageOf(int ayaId);
    // The text put under each aya of the pages read from now on (its
    // translation); none when empty.
    void setTextUnder(std::function<QString(int)> under) { under_ = std::move(under); }

private:
    std::function<QString(int)> under_;
    DataControl dc_;
    BasmalaTexts basmala_;
};

} // namespace zarfan
