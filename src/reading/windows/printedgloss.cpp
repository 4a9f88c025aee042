#include "printedgloss.h"

#include "mushafview.h"
#include "search/occurrences.h"
#include "translation/windows/wordglosstip.h"

namespace zarfan {

PrintedGloss::PrintedGloss(MushafView *view, const QString &connectionString, QObject *parent)
    : QObject(parent), view_(view), glosses_(connectionString)
{
    tip_ = new WordGlossTip(view->viewport(), [this](QPoint p) { return at(p); }, [] { return std::optional<WordGloss>(); }, this);
}

std::optional<WordGloss> PrintedGloss::at(QPoint point)
{
    const std::optional<PageWord> word = view_->wordAt(point);
    if (!word)
        return std::nullopt;
    for (const PrintedPage &page : view_->pages()) {
        for (const PageAya &a : page.textPage.ayas) {
            if (a.sura != word->sura || a.aya != word->aya)
                continue;
            if (page.script == Script::Uthmani)
                return glosses_.uthmaniWord(a.id, word->word);
            // The imla'i word's place in its text, then its aligned Uthmani words.
            const WordMap words = mapWords(a.imlaei, WordForm::Cleaned);
            if (word->word < 1 || word->word > words.display.size())
                return std::nullopt;
            return glosses_.atImlaei(a.id, a.imlaei, words.display.at(word->word - 1).start);
        }
    }
    return std::nullopt;
}

} // namespace zarfan
