#include "notescommands.h"

#include "ayalistswindow.h"
#include "browse/programstate.h"
#include "state/readingstate.h"
#include "state/searchmemory.h"
#include "browse/suratables.h"
#include "compose/composedexport.h"
#include "compose/composewindow.h"
#include "ui/messages.h"
#include "noteeditor.h"
#include "notesbrowser.h"
#include "notestransfer.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace zarfan {

namespace {
const QString kMark = QStringLiteral("✎");
}

void NoteMarkDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!marked_ || !marked_(index.row()))
        return;
    // At the far end of the line from where the right-to-left reference starts.
    painter->save();
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.color(QPalette::HighlightedText)
                                                          : option.palette.color(QPalette::Link));
    painter->drawText(option.rect.adjusted(2, 0, -2, 0),
                      Qt::AlignVCenter | (option.direction == Qt::RightToLeft ? Qt::AlignLeft : Qt::AlignRight), kMark);
    painter->restore();
}

QSize NoteMarkDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += option.fontMetrics.horizontalAdvance(kMark) + 6;
    return size;
}

NotesCommands::NotesCommands(ReadingState &state, QMainWindow *window, QListView *listing, QPlainTextEdit *ayaBox)
    : QObject(window), state_(state), window_(window), listing_(listing), ayaBox_(ayaBox)
{
    if (state_.userStore())
        store_ = std::make_unique<NotesStore>(*state_.userStore());

    menu_ = window_->menuBar()->addMenu(QStringLiteral("خواطري"));
    menu_->setObjectName(QStringLiteral("notesMenu"));
    noteAction_ = menu_->addAction(QStringLiteral("إضافة خاطرة"), this, &NotesCommands::openNote);
    noteAction_->setObjectName(QStringLiteral("noteAction"));
    QAction *all = menu_->addAction(QStringLiteral("الخواطر"), this, &NotesCommands::openBrowser);
    all->setObjectName(QStringLiteral("notesBrowserAction"));
    QAction *lists = menu_->addAction(QStringLiteral("قوائم الآيات"), this, &NotesCommands::openLists);
    lists->setObjectName(QStringLiteral("ayaListsAction"));
    menu_->addSeparator();
    QAction *out = menu_->addAction(QStringLiteral("تصدير"), this, &NotesCommands::exportNotes);
    out->setObjectName(QStringLiteral("exportNotesAction"));
    QAction *in = menu_->addAction(QStringLiteral("استيراد"), this, &NotesCommands::importNotes);
    in->setObjectName(QStringLiteral("importNotesAction"));
    for (QAction *action : menu_->actions())
        action->setEnabled(bool(store_));

    noteLine_ = new QLabel(window_);
    noteLine_->setObjectName(QStringLiteral("statusNote"));
    window_->statusBar()->addPermanentWidget(noteLine_);

    listing_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listing_->setItemDelegate(new NoteMarkDelegate(
        [this](int row) {
            return store_ && state_.listing().isValidLine(row) && store_->hasNote(state_.listing().at(row).id.toInt());
        },
        listing_));
    connect(listing_->selectionModel(), &QItemSelectionModel::currentChanged, this, &NotesCommands::showDisplayedNote);
    connect(listing_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &NotesCommands::showDisplayedNote);
    // Any other listing ends the marking of a note search.
    connect(&state_.listing(), &ResultListing::finished, this, [this] { searchedWords_.clear(); });
}

NotesCommands::~NotesCommands() = default;

AyaRange NotesCommands::pickedRange() const
{
    const ResultListing &listing = state_.listing();
    const auto numbers = [&listing](int row) {
        const ResultRecord &r = listing.at(row);
        return std::pair(SuraTables::numberFromText(r.sura), r.aya.toInt());
    };
    AyaRange range;
    const QModelIndexList rows = listing_->selectionModel()->selectedRows();
    if (rows.size() > 1) {
        for (const QModelIndex &index : rows) {
            if (!listing.isValidLine(index.row()))
                return {};
            const auto [sura, aya] = numbers(index.row());
            if (range.sura == 0)
                range = {sura, aya, aya};
            else if (sura != range.sura)
                return {}; // a range lies in one sura
            range.from = std::min(range.from, aya);
            range.to = std::max(range.to, aya);
        }
        return range;
    }
    const int k = listing_->currentIndex().row();
    if (!listing.isValidLine(k))
        return {};
    const auto [sura, aya] = numbers(k);
    return {sura, aya, aya};
}

std::vector<ListAya> NotesCommands::pickedAyas() const
{
    std::vector<ListAya> out;
    QModelIndexList rows = listing_->selectionModel()->selectedRows();
    if (rows.isEmpty() && listing_->currentIndex().isValid())
        rows.append(listing_->currentIndex());
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows) {
        if (!state_.listing().isValidLine(index.row()))
            continue;
        const ResultRecord &r = state_.listing().at(index.row());
        out.push_back({SuraTables::numberFromText(r.sura), r.aya.toInt()});
    }
    return out;
}

void NotesCommands::addTextMenuItems(QMenu *menu)
{
    menu->addSeparator();
    menu->addAction(noteAction_);
}

std::optional<Note> NotesCommands::pickedNote(const AyaRange &range) const
{
    if (!store_ || !range.isValid())
        return std::nullopt;
    if (range.from == range.to)
        return store_->noteAt(range.sura, range.from);
    for (const Note &n : store_->notes()) {
        if (n.range == range)
            return n;
    }
    return std::nullopt;
}

void NotesCommands::showDisplayedNote()
{
    const AyaRange range = pickedRange();
    noteAction_->setText(pickedNote(range) ? QStringLiteral("تعديل الخاطرة") : QStringLiteral("إضافة خاطرة"));
    noteAction_->setEnabled(store_ && range.isValid());
    // The status line follows the aya on display.
    std::optional<Note> shown;
    const int k = listing_->currentIndex().row();
    if (store_ && state_.listing().isValidLine(k)) {
        const ResultRecord &r = state_.listing().at(k);
        shown = store_->noteAt(SuraTables::numberFromText(r.sura), r.aya.toInt());
    }
    const QString line = shown ? QStringLiteral("خاطرة : ") + shown->firstLine() : QString();
    noteLine_->setText(line);
    noteLine_->setAccessibleName(line);
    noteLine_->setToolTip(shown ? shown->text.left(500) : QString());
}

void NotesCommands::refresh()
{
    listing_->viewport()->update();
    showDisplayedNote();
    if (browser_)
        browser_->reload();
}

NoteEditor *NotesCommands::openNote()
{
    const AyaRange range = pickedRange();
    if (!store_ || !range.isValid())
        return nullptr;
    Note note;
    note.range = range;
    return openEditor(pickedNote(range).value_or(note));
}

NoteEditor *NotesCommands::openEditor(const Note &note)
{
    if (!store_)
        return nullptr;
    // One editor per saved note.
    for (NoteEditor *open : window_->findChildren<NoteEditor *>()) {
        if (note.id != 0 && open->note().id == note.id && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    auto *editor = new NoteEditor(*store_, note, window_);
    if (!searchedWords_.isEmpty())
        editor->markWords(searchedWords_);
    connect(editor, &NoteEditor::notesChanged, this, &NotesCommands::refresh);
    editor->show();
    editor->activateWindow();
    return editor;
}

NotesBrowser *NotesCommands::openBrowser()
{
    if (!store_)
        return nullptr;
    if (!browser_) {
        browser_ = new NotesBrowser(*store_, window_);
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        connect(browser_, &NotesBrowser::openNote, this, &NotesCommands::openEditor);
    }
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
    return browser_;
}

bool NotesCommands::closeEditors()
{
    for (NoteEditor *editor : window_->findChildren<NoteEditor *>()) {
        if (editor->isVisible() && !editor->close())
            return false;
    }
    return true;
}

AyaListsWindow *NotesCommands::openLists()
{
    if (!store_)
        return nullptr;
    if (!lists_) {
        lists_ = new AyaListsWindow(*store_, [this] { return pickedAyas(); }, window_);
        lists_->setAttribute(Qt::WA_DeleteOnClose);
        connect(lists_, &AyaListsWindow::listShown, this, [this](const QList<int> &ids) {
            searchedWords_.clear();
            state_.produceListing({ayasInOrderStatement(ids), qint16(1), ReadingState::Guard::AllayaasearchOnly});
        });
        connect(lists_, &AyaListsWindow::listComposed, this, &NotesCommands::composeAyas);
    }
    lists_->show();
    lists_->raise();
    lists_->activateWindow();
    return lists_;
}

void NotesCommands::composeAyas(const QStringList &ids, const QStringList &lines)
{
    programState().composemode = 3;
    ComposeWindow compose(state_, window_);
    compose.setAyas(ids, lines);
    compose.exec();
}

bool NotesCommands::searchNotes(const QString &typed)
{
    if (!store_)
        return false;
    const QList<int> ids = store_->searchAyas(typed);
    if (ids.isEmpty()) {
        showMessage(window_, QStringLiteral("لا توجد خاطرة بهذه الكلمات"));
        return false;
    }
    ReadingState::Request request(ayasInOrderStatement(ids), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    // The lines come from the texts in memory once they are loaded.
    if (const FoldedText &text = state_.searchMemory().text(); text.isLoaded()) {
        auto records = std::make_shared<std::vector<ResultRecord>>();
        records->reserve(std::size_t(ids.size()));
        for (const int id : ids)
            if (const int row = text.indexOfId(id); row >= 0)
                records->push_back(text.record(row));
        if (records->size() == std::size_t(ids.size()))
            request.records = std::move(records);
    }
    state_.produceListing(request);
    if (!state_.isFilling())
        searchedWords_ = NotesStore::searchWords(typed);
    return true;
}

bool NotesCommands::exportTo(const QString &path, QString *error) const
{
    if (!store_)
        return false;
    const bool json = !path.endsWith(u".md", Qt::CaseInsensitive);
    return writeWholeFile(path, json ? NotesTransfer::toJson(*store_) : NotesTransfer::toMarkdown(*store_), error);
}

void NotesCommands::exportNotes()
{
    const QString json = QStringLiteral("ملف خواطر (*.json)"), markdown = QStringLiteral("نص Markdown (*.md)");
    QString filter = json;
    QString path = QFileDialog::getSaveFileName(window_, QStringLiteral("تصدير"), QString(), json + QStringLiteral(";;") + markdown, &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == markdown ? QStringLiteral(".md") : QStringLiteral(".json");
    QString error;
    if (!exportTo(path, &error))
        showMessage(window_, QStringLiteral("تعذر حفظ الملف، ولم يتغير أي ملف سابق بالاسم نفسه:\n%1\n%2").arg(path, error));
}

void NotesCommands::importFrom(const QString &path)
{
    if (!store_)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(window_, QStringLiteral("تعذرت قراءة الملف:\n%1").arg(path));
        return;
    }
    const NotesTransfer::Report report = NotesTransfer::importJson(*store_, file.read(64 * 1024 * 1024));
    refresh();
    showMessage(window_, report.message());
}

void NotesCommands::importNotes()
{
    const QString path = QFileDialog::getOpenFileName(window_, QStringLiteral("استيراد"), QString(), QStringLiteral("ملف خواطر (*.json)"));
    if (!path.isEmpty())
        importFrom(path);
}

} // namespace zarfan
