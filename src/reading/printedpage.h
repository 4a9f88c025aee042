#pragma once

#include "reading/mushafpage.h"
#include "reading/wordveil.h"

#include <QList>
#include <QString>

namespace zarfan {

// One drawn piece of a printed line: a word (with the pause marks after it)
// or an aya's end mark.
struct PrintedItem {
    PageWord word;      // word 0 for an end mark
    int ayaId = 0;
    QString text;
    int start = -1; // of an Uthmani word in its aya's text, for the tajweed spans
    bool endMark() const { return word.word == 0; }
};

// One of a page's printed lines.
struct PrintedLine {
    enum Kind { Text, Heading, Basmala };
    Kind kind = Text;
    int sura = 0;
    QList<PrintedItem> items; // text lines, in reading order
    QString text;             // heading and basmala lines
    bool quarterStarts = false; // a hizb quarter begins on this line
    bool lastOfSura = false;    // the sura (or the mushaf) ends on it
    // What a screen reader reads for the line: words and end marks.
    QString plainText() const;
};

// A page as the Madani print lays it out: its 15 lines (8 on pages 1 and 2),
// in either script. The imla'i words stand on the line of the Uthmani words
// they are aligned with.
struct PrintedPage {
    int number = 0;
    Script script = Script::Uthmani;
    QList<PrintedLine> lines;
    int juz = 0;
    int sura = 0; // of the first line
    // The ayas with words on the page (also those begun on the page before),
    // as continuous text, for the search marks.
    MushafPage textPage;

    bool isEmpty() const { return lines.isEmpty(); }
    bool centred() const { return number <= 2; }
    QList<PageWord> words() const;
};

// The end mark as Amiri Quran composes it: U+06DD and the number in
// Arabic-Indic digits.
QString printedEndMark(int aya);

// The tokens of an aya's text that are words: those not made only of pause
// marks; each pause-mark token joins the word before it.
QStringList printedWords(const QString &text);

// The words of the page that the ranges (in page.textPage.text) touch.
QList<PageWord> matchedWords(const PrintedPage &page, const QList<TextRange> &ranges);

// Reads printed pages from the database, one statement for the lines and one
// for the ayas of a page.
class PrintedPageReader {
public:
    explicit PrintedPageReader(const QString &connection);
    // An empty page when the database cannot give it.
    PrintedPage page(int number, Script script);

private:
    DataControl dc_;
    BasmalaTexts basmala_;
};

} // namespace zarfan
