#pragma once

#include "reading/picturefile.h"
#include "state/readingstate.h"
#include "reading/mushafpage.h"
#include "reading/printedpage.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>

namespace Ui {
class ReadingWindow;
}

namespace zarfan {

class TranslationUnder;

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
    // "صفحة المصحف" rather than "نص متصل".
    bool printed() const;
    const QList<PrintedPage> &printedPages() const { return printed_; }
    // Two facing pages when the window is wider than it is tall.
    void setFacing(bool on);
    bool facingShown() const;
    // The page and aya where the reader stopped; page 1 the first time.
    void continueReading();
    // The page of the aya the main window shows, else where the reader stopped.
    void openAtCurrentAya();
    void showPage(int number, bool atEnd = false);
    void showAya(int ayaId);
    void turn(int direction);
    // A bar under the page, with the commands it serves.
    void addBottomBar(QWidget *bar, const QList<QAction *> &commands);
    // The pages as shown, at twice the screen's resolution, or smaller to
    // stay within kMaxPictureSide pixels.
    QImage pagePicture() const;
    static constexpr double kMaxPictureSide = 6000;
    // Writes a picture as PNG; fast zlib, since a page picture is large and
    // compresses little better at the slow levels. False with the reason.
    static bool writePicture(const QImage &image, const QString &path, QString *error = nullptr)
    {
        return writePictureFile(image, path, error);
    }
    // The current aya in the Uthmani script with its reference, and the
    // shown tafsir below when asked; null when no aya of the page is current.
    QImage ayaPicture(bool withTafsir);
    // Writes the place now rather than after the short wait.
    void savePlace();

signals:
    // A page was put on the view (also the same page afresh).
    void pageShown(int number);
    // The current aya told to a screen reader, by its reference.
    void ayaAnnounced(const QString &reference);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyFont();
    void follow(int ayaId);
    void markAya();
    void pick(int position);
    // Makes an aya of a shown page the current aya.
    void chooseAyaOf(const PageAya &a, int page);
    void pickAya(int ayaId);
    // A turn the reader made: turning on reads the page left.
    void turnByReader(int direction, bool atEnd = false);
    void showView();
    void makePictureCommands();
    void loadPrinted();
    void printedUpToDate();
    // Asks whether the tafsir goes with the aya; nullopt when cancelled.
    std::optional<bool> askWithTafsir();
    void savePicture(const QImage &image, const QString &name);
    // Picture pixels a screen pixel for a picture so many page units across,
    // capped; pictureCapped_ tells whether it was.
    double pictureRatio(double unitsAcross) const;
    void sayIfCapped(const QImage &image);
    void setFacts(const QString &text);

    ReadingState &state_;
    std::unique_ptr<Ui::ReadingWindow> ui;
    MushafReader reader_;
    TranslationUnder *under_ = nullptr;
    MushafPage page_;
    PrintedPageReader printedReader_;
    QList<PrintedPage> printed_;
    bool facing_ = false;
    QFont quranFont_;
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
    mutable bool pictureCapped_ = false;
};

} // namespace zarfan
