#include "wordfactsmenu.h"

#include <QHelpEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolTip>
#include <memory>

namespace zarfan {

WordFactsMenu::WordFactsMenu(QPlainTextEdit *box, const QString &connectionString, QObject *parent)
    : QObject(parent), box_(box), facts_(connectionString)
{
    box_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box_, &QWidget::customContextMenuRequested, this, &WordFactsMenu::showMenu);
    box_->viewport()->installEventFilter(this);
}

void WordFactsMenu::setAya(int ayaId, qsizetype ayaLength)
{
    ayaId_ = ayaId;
    ayaLength_ = ayaLength;
}

std::optional<WordFacts> WordFactsMenu::factsAt(const QPoint &at)
{
    return facts_.wordAt(ayaId_, QStringView(box_->toPlainText()).left(ayaLength_),
                         box_->cursorForPosition(at).position());
}

void WordFactsMenu::showMenu(const QPoint &at)
{
    menuPoint_ = at;
    std::unique_ptr<QMenu> menu(box_->createStandardContextMenu(at));
    const std::optional<WordFacts> facts = factsAt(at);
    menu->addSeparator();
    QAction *byRoot = menu->addAction(tr("بحث بهذا الجذر"));
    QAction *byLemma = menu->addAction(tr("بحث بهذا الأصل"));
    byRoot->setEnabled(facts && !facts->root.isEmpty());
    byLemma->setEnabled(facts && !facts->firstLemma().isEmpty());
    emit menuOpening(menu.get());
    QAction *chosen = menu->exec(box_->viewport()->mapToGlobal(at));
    if (chosen == byRoot && facts)
        emit searchRequested(facts->root, WordKey::Root);
    else if (chosen == byLemma && facts)
        emit searchRequested(facts->firstLemma(), WordKey::ExactLemma);
}

bool WordFactsMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || watched != box_->viewport())
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    const std::optional<WordFacts> facts = factsAt(help->pos());
    const QString extra = tipExtra_ ? tipExtra_(help->pos()) : QString();
    if (!facts && extra.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const auto shown = [](const QString &value) { return value.isEmpty() ? QStringLiteral("—") : value; };
    QStringList lines;
    if (facts)
        lines << tr("الجذر : %1    أصل الكلمة : %2").arg(shown(facts->root), shown(facts->shownLemma()));
    if (!extra.isEmpty())
        lines << extra;
    QToolTip::showText(help->globalPos(), lines.join(u'\n'), box_->viewport());
    return true;
}

} // namespace zarfan
