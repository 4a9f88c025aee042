#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Form7;
}

namespace zarfan {

class ReadingState;

// Form7: lists a whole sura, by name or number, or a whole juz. Choosing an
// entry hides the window (it keeps its choices) and fills the main listing.
class NavigatorWindow : public QDialog {
    Q_OBJECT
public:
    NavigatorWindow(ReadingState &state, QWidget *parent);
    ~NavigatorWindow() override;

    void listSura(int sura);
    void listJuz(int juz);

    // True once the close box unloaded it: the next use creates it afresh.
    bool isUnloaded() const { return unloaded_; }

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::Form7> ui;
    ReadingState &state_;
    bool unloaded_ = false;
    bool leavingBox_ = false; // a box is losing the focus
};

} // namespace zarfan
