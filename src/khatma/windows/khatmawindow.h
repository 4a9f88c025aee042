#pragma once

#include <QDate>
#include <QDialog>
#include <memory>
#include <optional>

#include "khatma/khatmaplan.h"

namespace Ui {
class KhatmaWindow;
}

namespace zarfan {

class FinishedKhatmasModel;

// "خطة الختمة": starts, shows, ends and restarts the khatma plan kept by the
// tracker, and lists the finished khatmas.
class KhatmaWindow : public QDialog {
    Q_OBJECT
public:
    explicit KhatmaWindow(KhatmaTracker &tracker, QWidget *parent = nullptr);
    ~KhatmaWindow() override;

    // The day the window counts from; tests set it, the program uses today.
    void setToday(const QDate &today);

signals:
    // "قراءة ورد اليوم": the page the reading window should open.
    void openPageRequested(int page);

private:
    void startPlan();
    void confirmEnd();
    void refresh();

    std::unique_ptr<Ui::KhatmaWindow> ui;
    KhatmaTracker &tracker_;
    QDate today_;
    FinishedKhatmasModel *past_ = nullptr;
    // The plan whose portions are listed: listed again only when it changes.
    std::optional<KhatmaSchedule> listed_;
};

} // namespace zarfan
