#pragma once

#include <QObject>

class QAbstractItemView;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace zarfan {

class ReadingState;

// Adds the selected result to the chosen list and removes a chosen aya,
// keeping the list box in step with the reading state's chosen list.
class ChosenListCommands : public QObject {
    Q_OBJECT
public:
    ChosenListCommands(ReadingState &state, QAbstractItemView *results, QPlainTextEdit *shown, QListWidget *chosen,
                       QWidget *window);

    void addSelected();
    void removeSelected();

private:
    ReadingState &state_;
    QAbstractItemView *results_;
    QPlainTextEdit *shown_;
    QListWidget *chosen_;
    QWidget *window_;
};

} // namespace zarfan
