#pragma once

#include <QObject>

class QMainWindow;
class QWidget;

namespace zarfan {

// The tafsir box under the aya: shown, the window grows by its height;
// hidden, it shrinks back.
class TafsirBox : public QObject {
    Q_OBJECT
public:
    TafsirBox(QMainWindow *window, QWidget *box);
    bool isShown() const { return shown_; }
    void reveal();
    void conceal();

private:
    QMainWindow *window_;
    QWidget *box_;
    bool shown_ = false;
    int growth_ = 0;
};

} // namespace zarfan
