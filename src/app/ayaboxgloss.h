#pragma once

#include "reading/wordgloss.h"

#include <QObject>

class QPlainTextEdit;

namespace zarfan {

class WordFactsMenu;
class WordGlossTip;

// The meaning of the aya box's words: in the box's tip beside the root and
// lemma, by Ctrl+G at the caret and by "معنى الكلمة" in its context menu.
// The box shows the imla'i text; its words take the gloss of the Uthmani
// words the printed page aligns them with.
class AyaBoxGloss : public QObject {
    Q_OBJECT
public:
    AyaBoxGloss(QPlainTextEdit *box, WordFactsMenu &facts, const QString &connectionString, QObject *parent = nullptr);
    WordGlossTip *tip() const { return tip_; }

private:
    std::optional<WordGloss> at(qsizetype position);

    QPlainTextEdit *box_;
    WordFactsMenu &facts_;
    WordGlosses glosses_;
    WordGlossTip *tip_;
};

} // namespace zarfan
