#pragma once

#include "memorise/similarayas.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace zarfan {

class FoldedText;
class ReadingState;

// "الآيات المتشابهة": the ayas like the current one, each with the shared run
// marked and the words where the two part in another colour. Choosing an
// entry makes it the current aya; "عرض في النتائج" lists them all.
class SimilarAyasWindow : public QWidget {
    Q_OBJECT
public:
    // texts: every aya's shown text by row of the folded text.
    SimilarAyasWindow(ReadingState &state, const FoldedText &folded, const SimilarAyas &similar,
                      const std::vector<QString> &texts, QWidget *parent);

    // Lists the ayas like the one of that ID.
    void showAya(int ayaId);
    QListWidget *list() const { return list_; }
    const std::vector<SimilarAya> &entries() const { return entries_; }

    void chooseEntry(int index);
    void listInResults();

private:
    ReadingState &state_;
    const FoldedText &folded_;
    const SimilarAyas &similar_;
    const std::vector<QString> &texts_;
    QLabel *heading_;
    QListWidget *list_;
    QPushButton *toResults_;
    std::vector<SimilarAya> entries_;
};

// An entry's text as HTML: the shared run in the highlight, the parting
// words around it in the second colour; and the same marks in words.
QString similarEntryHtml(const QString &text, const SimilarAya &entry, const QString &runStyle, const QString &partStyle);
QString similarEntrySpoken(const QString &text, const SimilarAya &entry);

} // namespace zarfan
