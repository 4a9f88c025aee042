#pragma once

#include "memorise/recitalcheck.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTextBrowser;

namespace zarfan {

class FoldedText;

// "التسميع": the reader types the ayas from the start aya to the end they
// choose, as they remember them, and "تحقق" (Ctrl+Enter) marks each word.
class RecitalWindow : public QWidget {
    Q_OBJECT
public:
    // texts: every aya's shown text by row of the folded text.
    RecitalWindow(const FoldedText &folded, const std::vector<QString> &texts, QWidget *parent);

    // Starts afresh at the aya of that ID (the text typed is kept).
    void setStart(int ayaId);
    void setHearingAvailable(bool available);
    void check();
    const RecitalCheck &result() const { return result_; }
    const std::vector<RecitedAya> &ayas() const { return ayas_; }

signals:
    // "سماع الصواب": the ayas with a wrong or missing word.
    void hearRequested(const QList<int> &ayaIds);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showResult();

    const FoldedText &folded_;
    const std::vector<QString> &texts_;
    int startRow_ = -1;
    bool hearing_ = false;
    QLabel *start_;
    QComboBox *end_;
    QSpinBox *endAya_;
    QPlainTextEdit *typed_;
    QPushButton *check_, *hear_;
    QLabel *score_, *marks_;
    QTextBrowser *resultView_;
    std::vector<RecitedAya> ayas_;
    RecitalCheck result_;
};

// The checked ayas as HTML, each word in the colour of its mark.
QString recitalHtml(const RecitalCheck &check, const std::vector<RecitedAya> &ayas);

} // namespace zarfan
