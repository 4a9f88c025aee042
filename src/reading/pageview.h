#pragma once

#include <QTextEdit>

namespace zarfan {

// The reading page: read-only text with a caret, so that a screen reader can
// read it by letter, word and line. It reports the reader's page turns and
// picks; copying gives plain text only.
class PageView : public QTextEdit {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

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
};

} // namespace zarfan
