#pragma once

#include "browse/ayadisplay.h"
#include "search/searchstatement.h"

#include <QObject>
#include <optional>

class QAction;
class QLineEdit;
class QStatusBar;
class QWidget;

namespace zarfan {

class ReadingState;
class WindowOpener;
class NotesCommands;
class DidYouMeanBar;
class InstantSearch;
class TranslationSearchCommand;

// Runs what the search box asks for: a word search (from memory when it can
// answer), a search in the notes, an aya or division reference; offers
// corrections when nothing is listed, and searches as the reader types when
// that is on.
class SearchRunner : public QObject {
    Q_OBJECT
public:
    SearchRunner(ReadingState &state, QLineEdit *box, WindowOpener &windows, NotesCommands &notes, QStatusBar *bar,
                 QAction *instantItem, QWidget *window);

    // record: Enter and the search button; not a search made while typing.
    void run(std::optional<WordKey> key = std::nullopt, bool record = true);
    // A search with the current scope by the root or lemma of a word.
    void searchByKey(const QString &key, WordKey by);
    void goToReference(const QString &text);

signals:
    // A tafsir search opens that tafsir, as its menu item does.
    void tafsirWanted(zarfan::TafsirColumn column);

private:
    ReadingState &state_;
    QLineEdit *box_;
    WindowOpener &windows_;
    NotesCommands &notes_;
    QWidget *window_;
    DidYouMeanBar *didYouMean_;
    InstantSearch *instant_;
    TranslationSearchCommand *translation_;
};

} // namespace zarfan
