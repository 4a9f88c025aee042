#pragma once

#include <QObject>

class QAction;
class QCompleter;
class QLineEdit;
class QStringListModel;

namespace zarfan {

class ReadingState;

// Offers the earlier searches under the search box while one is typed; the
// clear action forgets them.
class SearchHistoryCompleter : public QObject {
    Q_OBJECT
public:
    SearchHistoryCompleter(ReadingState &state, QLineEdit *box, QAction *clear, QObject *parent = nullptr);

private:
    void offer(const QString &typed);

    ReadingState &state_;
    QStringListModel *model_;
    QCompleter *completer_;
};

} // namespace zarfan
