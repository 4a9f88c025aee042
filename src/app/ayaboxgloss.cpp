#include "ayaboxgloss.h"

#include "translation/windows/wordglosstip.h"
#include "wordfactsmenu.h"

#include <QMenu>
#include <QPlainTextEdit>

namespace zarfan {

AyaBoxGloss::AyaBoxGloss(QPlainTextEdit *box, WordFactsMenu &facts, const QString &connectionString, QObject *parent)
    : QObject(parent), box_(box), facts_(facts), glosses_(connectionString)
{
    tip_ = new WordGlossTip(
        box, [this](QPoint at) { return this->at(box_->cursorForPosition(at).position()); },
        [this] { return this->at(box_->textCursor().position()); }, this, false);
    facts.setTipExtra([this](const QPoint &at) { return tip_->tipAt(at); });
    connect(&facts, &WordFactsMenu::menuOpening, this, [this](QMenu *menu) { tip_->addMenuItem(menu, facts_.menuPoint()); });
}

std::optional<WordGloss> AyaBoxGloss::at(qsizetype position)
{
    const QString shown = box_->toPlainText();
    const QStringView text = QStringView(shown).left(facts_.ayaLength());
    if (position < 0 || position >= text.size())
        return std::nullopt;
    return glosses_.atImlaei(facts_.ayaId(), text, position);
}

} // namespace zarfan
