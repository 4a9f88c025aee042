#pragma once

#include "data/datacontrol.h"

#include "app/activateddialog.h"
#include <memory>

namespace Ui {
class Form5;
}

namespace zarfan {

class ReadingState;

// Form5: the composed text of the chosen ayas or of a whole sura, rebuilt from
// the database each time the window becomes active.
class ComposeWindow : public ActivatedDialog {
    Q_OBJECT
public:
    ComposeWindow(ReadingState &state, QWidget *parent);
    ~ComposeWindow() override;

    // The text as shown, line breaks as CR LF.
    const QString &text() const { return shown_; }

public slots:
    void build();
    void copyText();

protected:
    void activated() override { build(); }

private:
    void setShown(const QString &text);

    std::unique_ptr<Ui::Form5> ui;
    ReadingState &state_;
    DataControl Adodc1;
    QString shown_;
    quint64 builds_ = 0;
};

} // namespace zarfan
