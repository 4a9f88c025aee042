#pragma once

#include "reading/mushafpage.h"
#include "reading/wordgloss.h"

#include <QObject>
#include <functional>

class QAbstractButton;
class QTextDocument;
class QTextEdit;

namespace zarfan {

class TranslationLibrary;
class WordGlossTip;

// "الترجمة تحت كل آية" in the continuous text: the chosen translation in a
// block of its own under each aya, in its direction and font. Kept.
class TranslationUnder : public QObject {
    Q_OBJECT
public:
    // reshow shows the page again with the reader's new texts.
    TranslationUnder(TranslationLibrary &library, QAbstractButton *option, MushafReader &reader,
                     std::function<void()> reshow, QObject *parent = nullptr);
    // Gives the page's translation blocks their direction and font.
    void format(QTextDocument *doc, const QList<int> &blocks) const;

private:
    void apply();

    TranslationLibrary &library_;
    QAbstractButton *option_;
    MushafReader &reader_;
    std::function<void()> reshow_;
};

// The meaning of the word under the pointer or at the caret of the
// continuous text, in either script.
class PageGloss : public QObject {
    Q_OBJECT
public:
    PageGloss(QTextEdit *view, const MushafPage &page, const QString &connectionString, QObject *parent = nullptr);
    WordGlossTip *tip() const { return tip_; }
    std::optional<WordGloss> at(qsizetype position);

private:
    QTextEdit *view_;
    const MushafPage &page_;
    WordGlosses glosses_;
    WordGlossTip *tip_;
};

} // namespace zarfan
