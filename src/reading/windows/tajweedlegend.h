#pragma once

#include "reading/printedpage.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TajweedLegend;
}

namespace zarfan {

class TajweedColours;

// "دليل ألوان التجويد": each colour with its rules, how they are recited and
// an example from the page; choosing one shows its places alone.
class TajweedLegend : public QDialog {
    Q_OBJECT
public:
    TajweedLegend(TajweedColours &colours, QWidget *parent);
    ~TajweedLegend() override;
    // The examples from the pages shown.
    void refresh(const QList<PrintedPage> &pages);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    TajweedColours &colours_;
    std::unique_ptr<Ui::TajweedLegend> ui;
};

} // namespace zarfan
