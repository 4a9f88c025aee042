#include "printedgloss.h"

#include "mushafview.h"
#include "search/occurrences.h"
#include "translation/windows/wordglosstip.h"

#include <QCursor>

namespace zarfan {

PrintedGloss::PrintedGloss(MushafView *view, const QString &connectionString, QObject *parent)
    : QObject(parent), view_(view), glosses_(connectionString)
{
    tip_ = new WordGlossTip(view->viewport(), [this](QPoint p) { return at(p); }, [this] { return atCaret(); }, this);
    // The page holds the focus, and lists its actions as its context menu.
    tip_->setHeardBy(view);
    view->addAction(tip_->caretAction());
}

std::optional<WordGloss> PrintedGloss::at(QPoint point)
{
    const std::optional<PageWord> word = view_->wordAt(point);
    return word ? of(*word) : std::nullopt;
}

std::optional<WordGloss> PrintedGloss::of(const PageWord &word)
{
    for (const PrintedPage &page : view_->pages()) {
        for (const PageAya &a : page.textPage.ayas) {
            if (a.sura != word.sura || a.aya != word.aya)
                continue;
            if (page.script == Script::Uthmani)
                return glosses_.uthmaniWord(a.id, word.word);
            // The imla'i word's place in its text, then its aligned Uthmani words.
            const WordMap words = mapWords(a.imlaei, WordForm::Cleaned);
            if (word.word < 1 || word.word > words.display.size())
                return std::nullopt;
            return glosses_.atImlaei(a.id, a.imlaei, words.display.at(word.word - 1).start);
        }
    }
    return std::nullopt;
}

std::optional<WordGloss> PrintedGloss::atCaret()
{
    const QPoint pointer = view_->viewport()->mapFromGlobal(QCursor::pos());
    if (view_->viewport()->rect().contains(pointer)) {
        if (std::optional<WordGloss> one = at(pointer))
            return one;
    }
    // Each word of the caret line in turn, with its sound.
    QStringList each;
    for (const PageWord &word : view_->caretLineWords())
        if (const std::optional<WordGloss> one = of(word))
            each.append(one->text());
    if (each.isEmpty())
        return std::nullopt;
    return WordGloss{each.join(QStringLiteral(" · ")), QString()};
}

} // namespace zarfan
