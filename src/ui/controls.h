#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace zarfan {

// An unsorted combo box of fixed items with a prompt in its edit field and
// nothing selected: the position of an item is the number it stands for.
void fillPromptCombo(QComboBox *box, const QStringList &items, const QString &prompt);

// The edit field inside each spin box of the window takes the box's name, as
// a screen reader reaches the field.
void nameSpinBoxFields(QWidget *window);

// Every paragraph of the box starts at its right edge and runs right to left,
// whatever text or font it is given later.
void alignRightToLeft(QPlainTextEdit *box);

// A value label's text; a label reaches a screen reader only through its
// name, so the name follows with its caption.
void setValueLabel(const QLabel *caption, QLabel *label, const QString &value);

} // namespace zarfan
