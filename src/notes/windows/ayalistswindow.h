#pragma once

#include "notes/notesstore.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QPushButton;

namespace zarfan {

// "قوائم الآيات": the reader's named lists of ayas, beside the chosen list.
class AyaListsWindow : public QDialog {
    Q_OBJECT
public:
    // picked gives the ayas to add: the selected listing lines or the
    // displayed aya.
    AyaListsWindow(NotesStore &store, std::function<std::vector<ListAya>()> picked, QWidget *parent);

    qint64 currentList() const;
    void selectList(qint64 id);

public slots:
    void createList();
    void renameList();
    void removeList();
    void addPicked();
    void removeAya();
    void moveUp() { move(-1); }
    void moveDown() { move(+1); }
    void showList();
    void composeList();

signals:
    // The ayas by ID in the list's order, for the main window's listing or
    // the compose window (with their lines).
    void listShown(const QList<int> &ids);
    void listComposed(const QStringList &ids, const QStringList &lines);

private:
    void reloadLists(qint64 select);
    void reloadAyas(int select = 0);
    void move(int by);
    bool reportFailure(bool ok);
    void updateButtons();

    NotesStore &store_;
    std::function<std::vector<ListAya>()> picked_;
    QListWidget *lists_;
    QListWidget *ayas_;
    std::vector<NamedList> shownLists_;
    std::vector<ListAya> shownAyas_;
    QList<QPushButton *> needList_;
};

} // namespace zarfan
