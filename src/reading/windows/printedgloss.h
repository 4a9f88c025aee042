#pragma once

#include "reading/wordgloss.h"
#include "reading/wordveil.h"

#include <QObject>

namespace zarfan {

class MushafView;
class WordGlossTip;

// The meaning of a word on the printed page, in either script (an imla'i
// word through the Uthmani word(s) it is aligned with): on the pointer as a
// tip, and by "معنى الكلمة" (Ctrl+G and the page's context menu) for the
// word under the pointer, or off the words for those of the caret line, the
// page's keyboard caret being a line.
class PrintedGloss : public QObject {
    Q_OBJECT
public:
    PrintedGloss(MushafView *view, const QString &connectionString, QObject *parent = nullptr);
    WordGlossTip *tip() const { return tip_; }
    std::optional<WordGloss> at(QPoint point);

private:
    std::optional<WordGloss> of(const PageWord &word);
    std::optional<WordGloss> atCaret();

    MushafView *view_;
    WordGlosses glosses_;
    WordGlossTip *tip_;
};

} // namespace zarfan
