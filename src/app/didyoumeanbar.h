#pragma once

#include <QStringList>
#include <QWidget>

class QHBoxLayout;

namespace zarfan {

// "هل تقصد : a ، b" in the status bar after a search that listed nothing:
// each proposal a button, reached by Tab and taken by Enter or a click.
class DidYouMeanBar : public QWidget {
    Q_OBJECT
public:
    explicit DidYouMeanBar(QWidget *parent = nullptr);

    // No proposals hides the bar. The proposals come next after `after` in
    // the Tab order, so they are one key away from the search box.
    void propose(const QStringList &proposals, QWidget *after = nullptr);
    const QStringList &proposals() const { return proposals_; }

signals:
    void chosen(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHBoxLayout *layout_;
    QStringList proposals_;
};

} // namespace zarfan
