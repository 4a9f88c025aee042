#include "controls.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>

namespace zarfan {

void fillPromptCombo(QComboBox *box, const QStringList &items, const QString &prompt)
{
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(prompt);
}

void nameSpinBoxFields(QWidget *window)
{
    for (QAbstractSpinBox *box : window->findChildren<QAbstractSpinBox *>()) {
        if (auto *field = box->findChild<QLineEdit *>())
            field->setAccessibleName(box->accessibleName());
    }
}

void alignRightToLeft(QPlainTextEdit *box)
{
    box->setLayoutDirection(Qt::RightToLeft);
    QTextDocument *doc = box->document();
    QTextOption option = doc->defaultTextOption();
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    doc->setDefaultTextOption(option);
}

void setValueLabel(const QLabel *caption, QLabel *label, const QString &value)
{
    label->setText(value);
    label->setAccessibleName(caption->text() + u' ' + value);
}

} // namespace zarfan
