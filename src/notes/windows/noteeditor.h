#pragma once

#include "notes/notesstore.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QCompleter;
class QStringListModel;

namespace zarfan {

// "خاطرة": one note, its reference, its text and its tags. A note that
// cannot be written stays here with the reason shown.
class NoteEditor : public QDialog {
    Q_OBJECT
public:
    NoteEditor(NotesStore &store, Note note, QWidget *parent);

    const Note &note() const { return note_; }
    bool isModified() const;
    // The words of a search in the notes, marked in the text.
    void markWords(const QStringList &foldedWords);

public slots:
    bool save();
    void removeNote();
    // Escape: asks about unsaved text as the close button does.
    void reject() override;

signals:
    // Saved or removed: the marks and lists built from the notes are stale.
    void notesChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    // False when the reader keeps unsaved text.
    bool mayDropText();
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList typedTags() const;
    QString typedText() const;
    void offerTags(const QString &typed);

    NotesStore &store_;
    Note note_;
    QLabel *reference_;
    QPlainTextEdit *text_;
    QLineEdit *tags_;
    QPushButton *remove_;
    QCompleter *completer_;
    QStringListModel *tagModel_;
    QStringList usedTags_;
    QString shownText_;
    QStringList shownTags_;
    bool closing_ = false;
};

} // namespace zarfan
