#pragma once

#include <QDialog>

namespace zarfan {

// A dialog that does its work when it is shown and when the user comes back
// to it from another window of this program; not when its own message box
// closes or the user returns from another program.
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
    bool leftForOtherWindow_ = false;
};

} // namespace zarfan
