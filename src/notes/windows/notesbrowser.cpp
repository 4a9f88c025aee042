#include "notesbrowser.h"

#include "search/arabicfolding.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <numeric>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace zarfan {

void NotesModel::setNotes(std::vector<Note> notes)
{
    beginResetModel();
    all_ = std::move(notes);
    shown_.resize(qsizetype(all_.size()));
    std::iota(shown_.begin(), shown_.end(), 0);
    filteredBy_.clear();
    endResetModel();
}

void NotesModel::filter(const QString &typed)
{
    const QStringList words = NotesStore::searchWords(typed);
    // Typing on narrows what is shown: only those rows are looked at again.
    const bool narrower = !filteredBy_.isEmpty() && words.size() >= filteredBy_.size()
        && std::equal(filteredBy_.cbegin(), filteredBy_.cend() - 1, words.cbegin())
        && words.at(filteredBy_.size() - 1).contains(filteredBy_.last());
    QList<int> candidates;
    if (!narrower) {
        candidates.resize(qsizetype(all_.size()));
        std::iota(candidates.begin(), candidates.end(), 0);
    }
    const QList<int> &from = narrower ? shown_ : candidates;
    QList<int> kept;
    for (const int i : from) {
        const QString &folded = all_[std::size_t(i)].folded;
        if (std::all_of(words.cbegin(), words.cend(), [&folded](const QString &w) { return folded.contains(w); }))
            kept.append(i);
    }
    beginResetModel();
    shown_ = std::move(kept);
    filteredBy_ = words;
    endResetModel();
}

int NotesModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(shown_.size()); }
int NotesModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 4; }

QVariant NotesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shown_.size() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const Note &note = all_[std::size_t(shown_.at(index.row()))];
    switch (index.column()) {
    case 0:
        return note.range.text();
    case 1:
        return note.firstLine();
    case 2:
        return note.tags.join(tr("، "));
    default:
        return note.modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    }
}

QVariant NotesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const QStringList titles{tr("الآية"), tr("الخاطرة"), tr("الوسوم"),
                                    tr("آخر تعديل")};
    return titles.value(section);
}

NotesBrowser::NotesBrowser(NotesStore &store, QWidget *parent) : QDialog(parent), store_(store)
{
    setObjectName(QStringLiteral("notesBrowser"));
    setWindowTitle(tr("الخواطر"));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("notesFilter"));
    filter_->setAccessibleName(tr("تصفية الخواطر"));
    filter_->setPlaceholderText(tr("تصفية الخواطر"));
    filter_->setClearButtonEnabled(true);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("notesList"));
    view_->setAccessibleName(tr("قائمة الخواطر"));
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setShowGrid(false);
    view_->verticalHeader()->hide();
    view_->setWordWrap(false);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setModel(&model_);
    // The reference and the date are shown whole; the first line takes what is left.
    view_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    view_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    view_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
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
