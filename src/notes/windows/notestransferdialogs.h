#pragma once

#include <QObject>

class QWidget;

namespace zarfan {

class NotesStore;

// "تصدير" and "استيراد": the file dialogs of the notes' export and import,
// and what the reader is told of them.
class NotesTransferDialogs : public QObject {
    Q_OBJECT
public:
    NotesTransferDialogs(NotesStore &store, QWidget *window);

    // JSON, or Markdown for a name ending in ".md".
    bool exportTo(const QString &path, QString *error = nullptr) const;
    void importFrom(const QString &path);

public slots:
    void exportNotes();
    void importNotes();

signals:
    // An import changed the notes.
    void notesChanged();

private:
    NotesStore &store_;
    QWidget *window_;
};

} // namespace zarfan
