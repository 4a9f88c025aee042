#pragma once

#include "browse/ayadisplay.h"

class QMainWindow;
class QPlainTextEdit;

namespace zarfan {

// The tafsir box under the aya: which tafsir it holds, and the window that
// grows by the box while it shows and shrinks back when it goes.
class TafsirPanel {
public:
    TafsirPanel(QMainWindow *window, QPlainTextEdit *box) : window_(window), box_(box) {}

    TafsirColumn column() const { return column_; }
    void setColumn(TafsirColumn column) { column_ = column; }
    bool isShown() const { return shown_; }
    void show();
    void hide();

private:
    QMainWindow *window_;
    QPlainTextEdit *box_;
    TafsirColumn column_ = TafsirColumn::Muyassar;
    bool shown_ = false;
    int growth_ = 0;
};

} // namespace zarfan
