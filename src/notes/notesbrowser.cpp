#include "notesbrowser.h"

#include "search/arabicfolding.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace zarfan {

void NotesModel::setNotes(std::vector<Note> notes)
{
    beginResetModel();
    all_.clear();
    all_.reserve(notes.size());
    shown_.clear();
    for (Note &n : notes) {
        Row row;
        row.reference = n.range.text();
        row.firstLine = n.firstLine();
        row.tags = n.tags.join(QStringLiteral("، "));
        row.modified = n.modified.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        row.note = std::move(n);
        shown_.append(int(all_.size()));
        all_.push_back(std::move(row));
    }
    endResetModel();
}

void NotesModel::filter(const QString &typed)
{
    const QStringList words = NotesStore::searchWords(typed);
    beginResetModel();
    shown_.clear();
    for (int i = 0; i < int(all_.size()); ++i) {
        Row &row = all_[std::size_t(i)];
        const QString &folded = row.note.folded;
        if (std::all_of(words.cbegin(), words.cend(), [&folded](const QString &w) { return folded.contains(w); }))
            shown_.append(i);
    }
    endResetModel();
}

int NotesModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(shown_.size()); }
int NotesModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 4; }

QVariant NotesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shown_.size() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const Row &row = all_[std::size_t(shown_.at(index.row()))];
    switch (index.column()) {
    case 0:
        return row.reference;
    case 1:
        return row.firstLine;
    case 2:
        return row.tags;
    default:
        return row.modified;
    }
}

QVariant NotesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList titles{QStringLiteral("الآية"), QStringLiteral("الخاطرة"), QStringLiteral("الوسوم"),
                                    QStringLiteral("آخر تعديل")};
    return titles.value(section);
}

NotesBrowser::NotesBrowser(NotesStore &store, QWidget *parent) : QDialog(parent), store_(store)
{
    setObjectName(QStringLiteral("notesBrowser"));
    setWindowTitle(QStringLiteral("الخواطر"));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("notesFilter"));
    filter_->setAccessibleName(QStringLiteral("تصفية الخواطر"));
    filter_->setPlaceholderText(QStringLiteral("تصفية الخواطر"));
    filter_->setClearButtonEnabled(true);
    view_ = new QTreeView(this);
    view_->setObjectName(QStringLiteral("notesList"));
    view_->setAccessibleName(QStringLiteral("قائمة الخواطر"));
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setModel(&model_);
    view_->header()->setStretchLastSection(false);
    view_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    view_->installEventFilter(this);
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, &model_, &NotesModel::filter);
    connect(view_, &QAbstractItemView::doubleClicked, this, &NotesBrowser::openRow);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(filter_);
    layout->addWidget(view_);
    resize(640, 420);
    reload();
}

void NotesBrowser::reload()
{
    model_.setNotes(store_.notes());
    if (!filter_->text().isEmpty())
        model_.filter(filter_->text());
    if (model_.rowCount() > 0)
        view_->setCurrentIndex(model_.index(0, 0));
}

void NotesBrowser::openRow(const QModelIndex &index)
{
    if (index.isValid() && index.row() < model_.rowCount())
        emit openNote(model_.noteAt(index.row()));
}

bool NotesBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QModelIndex current = view_->currentIndex();
            if (!current.isValid() && model_.rowCount() > 0)
                current = model_.index(0, 0);
            openRow(current);
            return true;
        }
        // From the filter box the arrows walk the list.
        if (watched == filter_ && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            QCoreApplication::sendEvent(view_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zarfan
