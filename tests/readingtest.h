#pragma once

// What the reading tests share: the source text of an aya, a veil that records
// what it was asked, and the reading window opened from the main one.
#include "guitest.h"
#include "ui/fonts.h"
#include "ui/resources.h"
#include "reading/mushafpage.h"
#include "reading/printedpage.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"

#include <QFile>

namespace readingtest {
using namespace zarfan;

// The program's resources and font substitutions, as at start-up.
inline void prepare()
{
    initResources();
    installFontSubstitutions();
}

// The Uthmani text of an aya straight from the source file.
inline QString uthmaniSource(int sura, int aya)
{
    QFile f(testutil::dataDir() + u"/quran-uthmani.tsv"_qs);
    f.open(QIODevice::ReadOnly);
    const QString prefix = QStringLiteral("\t%1\t%2\t").arg(sura).arg(aya);
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).chopped(1);
        if (line.contains(prefix))
            return line.section(u'\t', 3);
    }
    return {};
}

inline QString wordRef(const PageWord &w) { return QStringLiteral("%1:%2:%3").arg(w.sura).arg(w.aya).arg(w.word); }

// A veil that hides, or shows the first letter of, the words it is given,
// and records the words it was asked about.
class RecordingVeil : public WordVeil {
public:
    QList<PageWord> hidden, firstLetter;
    mutable QList<PageWord> asked;
    WordShow show(const PageWord &word) const override
    {
        asked.append(word);
        return hidden.contains(word) ? WordShow::Hidden : firstLetter.contains(word) ? WordShow::FirstLetter : WordShow::Whole;
    }
};

inline QString block(const MushafPage &page, int n) { return page.text.section(u'\n', n, n); }

// Shows the main window and opens the reading window where the reader
// stopped, by its key; null when either does not show.
inline ReadingWindow *continueReading(MainWindow &w)
{
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return nullptr;
    QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    ReadingWindow *r = w.readingCommands()->window();
    return r && QTest::qWaitForWindowExposed(r) ? r : nullptr;
}
} // namespace readingtest
