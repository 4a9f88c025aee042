#pragma once

#include <QObject>

class QAction;
class QCompleter;
class QLineEdit;

namespace zarfan {

class ReadingState;
class CompletionOffersModel;

// Offers the earlier searches under the search box while one is typed, then
// the Quran words that start with the last typed word; the clear action
// forgets the searches.
class SearchHistoryCompleter : public QObject {
    Q_OBJECT
public:
    SearchHistoryCompleter(ReadingState &state, QLineEdit *box, QAction *clear, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void offer(const QString &typed);

    ReadingState &state_;
    QLineEdit *box_;
    CompletionOffersModel *model_;
    QCompleter *completer_;
};

} // namespace zarfan
