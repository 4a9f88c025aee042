#pragma once

#include "search/searchstatement.h"

#include <QDialog>
#include <memory>

namespace Ui {
class Form6;
}

namespace zarfan {

class ReadingState;

// Form6: the search scope, the match mode and the aya font. Command1 commits
// the scope and hides the window; its close box drops what was not committed.
class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    OptionsWindow(ReadingState &state, QWidget *parent);
    ~OptionsWindow() override;

    // What the word search reads: the mode and the positions, with the given
    // committed scope.
    SearchOptions searchOptions(int searchtype) const;

    // True once the close box unloaded it: the next use creates it afresh.
    bool isUnloaded() const { return unloaded_; }

public slots:
    void commit();       // Command1
    void chooseFont();   // Commandfont
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void publishOptions();
    void enableModes();

    std::unique_ptr<Ui::Form6> ui;
    ReadingState &state_;
    bool unloaded_ = false;
};

} // namespace zarfan
