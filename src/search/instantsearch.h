#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace zarfan {

// Whether a search box text can be searched as it stands while the reader
// is still typing: something to look for, and neither a reference nor a
// combination of terms that is still incomplete.
bool isCompleteSearchText(const QString &text);

// Answers as you type: a pause in typing runs the search on the box's text.
// Off until switched on; the owner records nothing in the history for it.
class InstantSearch : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseMs = 200;
    explicit InstantSearch(QObject *parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);

public slots:
    // Each edit starts the pause again.
    void textEdited(const QString &text);
    // The reader searched (Enter) or left: nothing is due any more.
    void cancel() { pause_.stop(); }

signals:
    void searchDue(const QString &text);

private:
    QTimer pause_;
    QString text_;
    bool on_ = false;
};

} // namespace zarfan
