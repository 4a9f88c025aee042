#pragma once

#include "memorise/memoriseprogress.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zarfan {

// Pages per juz by state, as stacked bars: one picture of what is held.
class JuzChart : public QWidget {
    Q_OBJECT
public:
    JuzChart(const MemoriseProgress &progress, std::vector<int> juzOfPage, QWidget *parent);
    QSize sizeHint() const override { return {480, 140}; }
    // Pages per juz of a state, [0] unused.
    std::array<int, 31> pagesPerJuz(PageState state) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const MemoriseProgress &progress_;
    std::vector<int> juzOfPage_;
};

// "الحفظ والمراجعة": marking pages (or a sura or juz) as held, today's
// reviews oldest first with the reader's answer, and a summary.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    ProgressWindow(MemoriseProgress &progress, const FoldedText &text, std::function<QDate()> today, QWidget *parent);

    // Reads the pages and the reviews due again.
    void refresh();
    QListWidget *reviewList() const { return review_; }

signals:
    // Open a page to review it, hidden for memorising.
    void reviewPageRequested(int page);

private:
    void mark();
    void answer(ReviewAnswer answer);
    void chooseUnit(int index);

    MemoriseProgress &progress_;
    const FoldedText &text_;
    std::function<QDate()> today_;
    QComboBox *unit_, *state_;
    QSpinBox *from_, *to_;
    QLabel *summary_;
    QListWidget *review_;
    QPushButton *open_, *mastered_, *hesitant_, *forgot_;
    JuzChart *chart_;
};

} // namespace zarfan
