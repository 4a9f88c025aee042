#include "translationunder.h"

#include "translation/translationlibrary.h"
#include "translationpane.h"
#include "wordglosstip.h"

#include <QAbstractButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace zarfan {

TranslationUnder::TranslationUnder(TranslationLibrary &library, QAbstractButton *option, MushafReader &reader,
                                   std::function<void()> reshow, QObject *parent)
    : QObject(parent), library_(library), option_(option), reader_(reader), reshow_(std::move(reshow))
{
    option_->setText(tr("الترجمة تحت كل آية"));
    option_->setCheckable(true);
    option_->setChecked(library_.underEachAya());
    connect(option_, &QAbstractButton::toggled, this, [this](bool on) {
        library_.setUnderEachAya(on);
        apply();
        reshow_();
    });
    connect(&library_, &TranslationLibrary::chosenChanged, this, [this] {
        apply();
        reshow_();
    });
    apply();
}

void TranslationUnder::apply()
{
    option_->setEnabled(library_.chosen() != nullptr);
    if (option_->isChecked() && library_.chosen())
        reader_.setTextUnder([this](int id) { return library_.text(id); });
    else
        reader_.setTextUnder({});
}

void TranslationUnder::format(QTextDocument *doc, const QList<int> &blocks) const
{
    const TranslationEdition *edition = library_.chosen();
    if (!edition)
        return;
    QTextBlockFormat block;
    block.setLayoutDirection(edition->rightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    block.setAlignment((edition->rightToLeft() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
    block.setTopMargin(2);
    block.setBottomMargin(6);
    QTextCharFormat letters;
    const QFont face = translationFont(edition->language, doc->defaultFont());
    letters.setFontFamilies(face.families());
    letters.setFontPointSize(doc->defaultFont().pointSizeF() * 0.7);
    for (const int b : blocks) {
        QTextCursor c(doc->findBlockByNumber(b));
        c.mergeBlockFormat(block);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.mergeCharFormat(letters);
    }
}

PageGloss::PageGloss(QTextEdit *view, const MushafPage &page, const QString &connectionString, QObject *parent)
    : QObject(parent), view_(view), page_(page), glosses_(connectionString)
{
    // The tips come to the viewport.
    tip_ = new WordGlossTip(
        view->viewport(), [this](QPoint p) { return at(view_->cursorForPosition(p).position()); },
        [this] { return at(view_->textCursor().position()); }, this);
    tip_->setHeardBy(view);
    view->addAction(tip_->caretAction());
}

std::optional<WordGloss> PageGloss::at(qsizetype position)
{
    const PageAya *a = page_.ayaAt(position);
    if (!a || position >= a->wordsEnd)
        return std::nullopt;
    const QStringView words = QStringView(page_.text).mid(a->start, a->wordsEnd - a->start);
    return page_.script == Script::Uthmani ? glosses_.atUthmani(a->id, words, position - a->start)
                                           : glosses_.atImlaei(a->id, words, position - a->start);
}

} // namespace zarfan
