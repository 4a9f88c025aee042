#include "notescommands.h"

#include "ayalistswindow.h"
#include "listingpick.h"
#include "notemarkdelegate.h"
#include "noteeditor.h"
#include "noteeditors.h"
#include "notesbrowser.h"
#include "notesearch.h"
#include "notestatusline.h"
#include "notestransferdialogs.h"
#include "browse/suratables.h"
#include "state/readingstate.h"
#include "ui/windowopening.h"

#include <QAbstractItemView>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace zarfan {

NotesCommands::NotesCommands(ReadingState &state, QMainWindow *window, QListView *listing, WindowOpening &opening)
    : QObject(window), state_(state), window_(window), listing_(listing), opening_(opening),
      pick_(std::make_unique<ListingPick>(state, listing))
{
    if (state_.userStore()) {
        store_ = std::make_unique<NotesStore>(*state_.userStore());
        editors_ = new NoteEditors(*store_, opening_, window_);
        connect(editors_, &NoteEditors::notesChanged, this, &NotesCommands::refresh);
        search_ = new NoteSearch(*store_, state_, window_);
        transfer_ = new NotesTransferDialogs(*store_, window_);
        connect(transfer_, &NotesTransferDialogs::notesChanged, this, &NotesCommands::refresh);
    }

    menu_ = window_->menuBar()->addMenu(tr("خواطري"));
    menu_->setObjectName(QStringLiteral("notesMenu"));
    noteAction_ = menu_->addAction(tr("إضافة خاطرة"), this, &NotesCommands::openNote);
    noteAction_->setObjectName(QStringLiteral("noteAction"));
    QAction *all = menu_->addAction(tr("الخواطر"), this, &NotesCommands::openBrowser);
    all->setObjectName(QStringLiteral("notesBrowserAction"));
    QAction *lists = menu_->addAction(tr("قوائم الآيات"), this, &NotesCommands::openLists);
    lists->setObjectName(QStringLiteral("ayaListsAction"));
    menu_->addSeparator();
    QAction *out = menu_->addAction(tr("تصدير"));
    out->setObjectName(QStringLiteral("exportNotesAction"));
    QAction *in = menu_->addAction(tr("استيراد"));
    in->setObjectName(QStringLiteral("importNotesAction"));
    if (transfer_) {
        connect(out, &QAction::triggered, transfer_, &NotesTransferDialogs::exportNotes);
        connect(in, &QAction::triggered, transfer_, &NotesTransferDialogs::importNotes);
    }
    for (QAction *action : menu_->actions())
        action->setEnabled(bool(store_));

    noteLine_ = new NoteStatusLine(window_);
    window_->statusBar()->addPermanentWidget(noteLine_);

    listing_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listing_->setItemDelegate(new NoteMarkDelegate(
        [this](int row) {
            return store_ && state_.listing().isValidLine(row) && store_->hasNote(state_.listing().at(row).id.toInt());
        },
        listing_));
    connect(listing_->selectionModel(), &QItemSelectionModel::currentChanged, this, &NotesCommands::showDisplayedNote);
    connect(listing_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &NotesCommands::showDisplayedNote);
}

NotesCommands::~NotesCommands() = default;

void NotesCommands::addTextMenuItems(QMenu *menu)
{
    menu->addSeparator();
    menu->addAction(noteAction_);
}

void NotesCommands::showDisplayedNote()
{
    const AyaRange range = pick_->range();
    noteAction_->setText(store_ && ListingPick::noteFor(*store_, range) ? tr("تعديل الخاطرة")
                                                                        : tr("إضافة خاطرة"));
    noteAction_->setEnabled(store_ && range.isValid());
    // The status line follows the aya on display.
    std::optional<Note> shown;
    const int k = listing_->currentIndex().row();
    if (store_ && state_.listing().isValidLine(k)) {
        const ResultRecord &r = state_.listing().at(k);
        shown = store_->noteAt(SuraTables::numberFromText(r.sura), r.aya.toInt());
    }
    noteLine_->showNote(shown);
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
    const AyaRange range = pick_->range();
    if (!store_ || !range.isValid())
        return nullptr;
    Note note;
    note.range = range;
    return openEditor(ListingPick::noteFor(*store_, range).value_or(note));
}

NoteEditor *NotesCommands::openEditor(const Note &note)
{
    if (!editors_)
        return nullptr;
    editors_->setMarkedWords(search_->words());
    return editors_->open(note);
}

bool NotesCommands::closeEditors() { return !editors_ || editors_->closeAll(); }

NotesBrowser *NotesCommands::openBrowser()
{
    if (!store_)
        return nullptr;
    browser_ = static_cast<NotesBrowser *>(opening_.open(QStringLiteral("notes"), QString(), [this] {
        auto *browser = new NotesBrowser(*store_, window_);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        connect(browser, &NotesBrowser::openNote, this, &NotesCommands::openEditor);
        return browser;
    }));
    return browser_;
}

AyaListsWindow *NotesCommands::openLists()
{
    if (!store_)
        return nullptr;
    return static_cast<AyaListsWindow *>(opening_.open(QStringLiteral("lists"), QString(), [this] {
        auto *lists = new AyaListsWindow(*store_, [this] { return pick_->ayas(); }, window_);
        lists->setAttribute(Qt::WA_DeleteOnClose);
        connect(lists, &AyaListsWindow::listShown, this, [this](const QList<int> &ids) {
            search_->forget();
            state_.produceListing({ayasInOrderStatement(ids), qint16(1), ReadingState::Guard::AllayaasearchOnly});
        });
        connect(lists, &AyaListsWindow::listComposed, this, &NotesCommands::composeWanted);
        return lists;
    }));
}

bool NotesCommands::searchNotes(const QString &typed) { return search_ && search_->search(typed); }

} // namespace zarfan
