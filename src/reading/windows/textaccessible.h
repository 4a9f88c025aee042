#pragma once

#include <QAccessibleWidget>

namespace zarfan {

// A read-only page of text for a screen reader: the text interface over a
// widget whose own text is not what should be read.
class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyTextAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this) : QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return QString();
    }
};

} // namespace zarfan
