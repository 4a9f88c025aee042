#pragma once

#include "state/readingstate.h"
#include "reading/mushafpage.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>

namespace Ui {
class ReadingWindow;
}

namespace zarfan {

// "القراءة": one page of the mushaf as continuous text, in either script,
// following the reader's current aya and setting it.
class ReadingWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr char kQuranFont[] = "Amiri Quran";

    explicit ReadingWindow(ReadingState &state, QWidget *parent = nullptr);
    ~ReadingWindow() override;

    int pageNumber() const { return page_.number; }
    const MushafPage &page() const { return page_; }
    Script script() const;
    // The page and aya where the reader stopped; page 1 the first time.
    void continueReading();
    // The page of the aya the main window shows, else where the reader stopped.
    void openAtCurrentAya();
    void showPage(int number, bool atEnd = false);
    void showAya(int ayaId);
    void turn(int direction);
    // A bar under the page, with the commands it serves.
    void addBottomBar(QWidget *bar, const QList<QAction *> &commands);
    // Writes the place now rather than after the short wait.
    void savePlace();

signals:
    // A page was put on the view (also the same page afresh).
    void pageShown(int number);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void applyFont();
    void follow(int ayaId);
    void markAya();
    void pick(int position);
    void setFacts(const QString &text);

    ReadingState &state_;
    std::unique_ptr<Ui::ReadingWindow> ui;
    MushafReader reader_;
    MushafPage page_;
    QTimer saveSoon_;
    QList<TextRange> matches_; // the listing's matched words on this page
    bool matchesStale_ = true;
    // A run of current ayas in quick succession (a held arrow key in the
    // listing) is followed once it pauses: painting every aya on the way
    // would only slow the listing down.
    static constexpr int kRunPauseMs = 90;
    QElapsedTimer lastFollow_;
    QTimer followSoon_;
    int pendingAya_ = 0;
    bool fontNoticeShown_ = false;
};

} // namespace zarfan
