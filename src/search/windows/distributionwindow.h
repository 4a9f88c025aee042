#pragma once

#include "browse/distribution.h"

#include <QWidget>
#include <memory>

namespace Ui {
class DistributionWindow;
}

namespace zarfan {

class ReadingState;

// Where the lines of the listing fall: a row per sura (or juz) with its ayas,
// the occurrences of the search and a bar in proportion. Modeless; it follows
// every new listing while open. Choosing a row selects its first line.
class DistributionWindow : public QWidget {
    Q_OBJECT
public:
    DistributionWindow(ReadingState &state, QWidget *parent);
    ~DistributionWindow() override;

    const std::vector<DistributionRow> &rows() const { return rows_; }

public slots:
    void refill();
    void chooseRow(int row);

signals:
    // The listing line the user chose.
    void lineChosen(int line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::DistributionWindow> ui;
    ReadingState &state_;
    std::vector<DistributionRow> rows_;
    bool shownByJuz_ = false; // what rows_ are by
    int followed_ = 0;        // the selected sura (or juz), kept across refills
};

} // namespace zarfan
