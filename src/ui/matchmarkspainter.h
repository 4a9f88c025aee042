#pragma once

#include "search/occurrences.h"

class QPlainTextEdit;

namespace zarfan {

// Marks the ranges in the box's highlight colours, drawn over the text: what
// is copied and read aloud stays plain. No ranges clears the marks.
void paintMatchMarks(QPlainTextEdit *box, const QList<TextRange> &ranges);

} // namespace zarfan
