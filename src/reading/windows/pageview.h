#pragma once

#include <QSpinBox>
#include <QTextEdit>
#include <utility>

namespace zarfan {

// The reading page: read-only text with a caret, so that a screen reader can
// read it by letter, word and line. It reports the reader's page turns and
// picks; copying gives plain text only.
class PageView : public QTextEdit {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);
    // Spans (start, length) of the text not to be read out: words hidden
    // for memorising. Cleared by a new page.
    void setUnspoken(const QList<std::pair<int, int>> &spans);
    // The text as a screen reader gets it: unspoken spans blanked, in place.
    QString spokenText() const;

signals:
    // +1 the next page, -1 the previous one.
    void turnRequested(int direction);
    void endRequested(bool last);
    void zoomRequested(int direction);
    // A click or Enter at a text position.
    void picked(int position);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void pageStep(int direction);
    QList<std::pair<int, int>> unspoken_;
};

// A page number box where a number beyond the range is taken as its nearest
// end rather than refused.
class PageSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};

} // namespace zarfan
