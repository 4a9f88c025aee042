#pragma once

#include <QWidget>

class QComboBox;
class QProgressBar;
class QSpinBox;

namespace zarfan {

class RecitationCommands;

// The player's controls in one row: the commands of the menu "التلاوة" as
// buttons, and the reciter, repeats, speed and range.
class PlayerBar : public QWidget {
    Q_OBJECT
public:
    explicit PlayerBar(RecitationCommands &commands, QWidget *parent = nullptr);

    QComboBox *reciterBox() const { return reciter_; }
    QSpinBox *ayaRepeatBox() const { return ayaRepeat_; }
    QSpinBox *rangeRepeatBox() const { return rangeRepeat_; }
    QComboBox *speedBox() const { return speed_; }
    QComboBox *rangeBox() const { return range_; }
    // Shown instead of the reciter box while there is no reciter.
    QWidget *noReciterLine() const { return noReciter_; }
    QSpinBox *pauseAfterBox() const { return pauseAfter_; }

private:
    void showSettings();

    RecitationCommands &commands_;
    QComboBox *reciter_, *speed_, *range_;
    QSpinBox *ayaRepeat_, *rangeRepeat_, *pauseAfter_;
    QProgressBar *busy_;
    QWidget *reciterLabel_, *noReciter_;
};

} // namespace zarfan
