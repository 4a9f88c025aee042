#pragma once

#include "notes/notesstore.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

class QLineEdit;
class QTableView;

namespace zarfan {

// The rows of the notes window: every note once, filtered in memory.
class NotesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit NotesModel(QObject *parent = nullptr) : QAbstractTableModel(parent) {}
    void setNotes(std::vector<Note> notes);
    // Keeps the notes whose tags or folded text hold every typed word.
    void filter(const QString &typed);
    const Note &noteAt(int row) const { return all_[std::size_t(shown_.at(row))]; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Note> all_;
    QList<int> shown_;
    QStringList filteredBy_; // the words shown_ was filtered by
};

// "الخواطر": every note with its reference, first line, tags and date; Enter
// or a double click opens one.
class NotesBrowser : public QDialog {
    Q_OBJECT
public:
    NotesBrowser(NotesStore &store, QWidget *parent);
    void reload();
    NotesModel &model() { return model_; }

signals:
    void openNote(const zarfan::Note &note);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openRow(const QModelIndex &index);

    NotesStore &store_;
    NotesModel model_;
    QLineEdit *filter_;
    QTableView *view_;
};

} // namespace zarfan
