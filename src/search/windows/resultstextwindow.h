#pragma once

#include <QWidget>

class QListView;

namespace zarfan {

class ReadingState;
class ResultsTextModel;

// "النتائج مع النص": the listing with each aya's text, modeless. Choosing an
// entry asks the main window to select that line; the main window tells it
// which line it shows.
class ResultsTextWindow : public QWidget {
    Q_OBJECT
public:
    ResultsTextWindow(ReadingState &state, QWidget *parent);

    ResultsTextModel *model() const { return model_; }
    QListView *view() const { return view_; }

public slots:
    // Follows the main window's selection without echoing it back.
    void showLine(int k);
    // Ctrl+C and "نسخ": the selected entries as plain text.
    void copySelected();

signals:
    void lineChosen(int k);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ResultsTextModel *model_;
    QListView *view_;
    bool following_ = false;
    int line_ = -1; // the main window's line, taken again after a refill
};

} // namespace zarfan
