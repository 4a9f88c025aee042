#pragma once

#include "reading/wordgloss.h"

#include <QObject>

namespace zarfan {

class MushafView;
class WordGlossTip;

// The meaning of the word under the pointer on the printed page, in either
// script: an imla'i word through the Uthmani word(s) it is aligned with.
class PrintedGloss : public QObject {
    Q_OBJECT
public:
    PrintedGloss(MushafView *view, const QString &connectionString, QObject *parent = nullptr);
    WordGlossTip *tip() const { return tip_; }
    std::optional<WordGloss> at(QPoint point);

private:
    MushafView *view_;
    WordGlosses glosses_;
    WordGlossTip *tip_;
};

} // namespace zarfan
