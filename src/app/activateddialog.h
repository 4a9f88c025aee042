#pragma once

#include <QDialog>

namespace zarfan {

// A dialog that does its work each time it becomes active (and once after
// showing, where the platform reports no activation).
class ActivatedDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    virtual void activated() = 0;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool busy_ = false;

private:
    void run();
    bool ranSinceShow_ = false;
};

} // namespace zarfan
