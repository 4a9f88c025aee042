#include "memorisecommands.h"

#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "memorise/windows/memorisemode.h"
#include "memorise/windows/progresswindow.h"
#include "memorise/windows/recitalwindow.h"
#include "reading/windows/pageview.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "memorise/windows/similarayaswindow.h"
#include "reading/windows/mushafview.h"
#include "reading/windows/pageview.h"
#include "recitation/recitation.h"
#include "state/readingstate.h"
#include "state/searchmemory.h"
#include "ui/messages.h"
#include "ui/windowopening.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTextEdit>

namespace zarfan {

MemoriseCommands::MemoriseCommands(ReadingState &state, QWidget *mainWindow)
    : QObject(mainWindow), state_(state), main_(mainWindow),
      similar_(new QAction(tr("الآيات المتشابهة"), this)), recital_(new QAction(tr("التسميع"), this)),
      progress_(new QAction(tr("الحفظ والمراجعة"), this))
{
    progress_->setObjectName(QStringLiteral("memoriseprogressaction"));
    connect(progress_, &QAction::triggered, this, &MemoriseCommands::openProgress);
    recital_->setObjectName(QStringLiteral("recitalaction"));
    recital_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    recital_->setShortcutContext(Qt::ApplicationShortcut);
    connect(recital_, &QAction::triggered, this, &MemoriseCommands::openRecital);
    similar_->setObjectName(QStringLiteral("similarayasaction"));
    similar_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    similar_->setShortcutContext(Qt::ApplicationShortcut);
    connect(similar_, &QAction::triggered, this, &MemoriseCommands::openSimilar);
}

MemoriseCommands::~MemoriseCommands()
{
    delete similarWindow_;
    delete recitalWindow_;
    delete progressWindow_;
}

SimilarAyasWindow *MemoriseCommands::similarWindow() const { return similarWindow_; }

QWidget *MemoriseCommands::open(const QString &kind, const std::function<QWidget *()> &make)
{
    if (opening_)
        return opening_->open(kind, QString(), make);
    QPointer<QWidget> &kept = ownWindows_[kind];
    if (!kept)
        kept = make();
    kept->show();
    kept->raise();
    kept->activateWindow();
    return kept;
}

bool MemoriseCommands::ensureTexts()
{
    if (!texts_.empty())
        return true;
    const FoldedText &folded = state_.searchMemory().text();
    if (!folded.isLoaded())
        return false;
    // The shown texts, in the folded text's order (both by ID).
    DataControl control;
    control.setConnectionString(state_.connectionString());
    control.setRecordSource(QStringLiteral("SELECT ID, Ayaa, AyaaIndex FROM Ayat order by ID"));
    control.refresh();
    texts_.reserve(std::size_t(folded.size()));
    for (; !control.eof(); control.moveNext()) {
        texts_.push_back(control.field(1).trimmed());
        plainTexts_.push_back(control.field(2).trimmed());
    }
    if (int(texts_.size()) != folded.size()) {
        texts_.clear();
        plainTexts_.clear();
        return false;
    }
    return true;
}

bool MemoriseCommands::ensureSimilar()
{
    if (!ensureTexts())
        return false;
    if (index_.isBuilt())
        return true;
    // As the database builder prepared them, or worked out here.
    DataControl control;
    control.setConnectionString(state_.connectionString());
    const FoldedText &folded = state_.searchMemory().text();
    return index_.read(control, folded) || index_.build(folded);
}

const std::vector<QString> &MemoriseCommands::shownTexts() const
{
    return state_.withoutDiacritics() ? plainTexts_ : texts_;
}

SimilarAyasWindow *MemoriseCommands::openSimilar()
{
    if (!ensureSimilar()) {
        showMessage(main_, tr("تعذر إعداد الآيات المتشابهة: نص الآيات لم يقرأ من قاعدة البيانات.\n"
                                          "أعد تشغيل البرنامج، فإن تكرر فأعد تثبيته."));
        return nullptr;
    }
    similarWindow_ = static_cast<SimilarAyasWindow *>(open(QStringLiteral("similarAyas"), [this] {
        return new SimilarAyasWindow(state_, state_.searchMemory().text(), index_, shownTexts(), main_);
    }));
    similarWindow_->showAya(state_.currentAya());
    return similarWindow_;
}

RecitalWindow *MemoriseCommands::openRecital()
{
    if (!ensureTexts()) {
        showMessage(main_, tr("تعذر فتح التسميع: نص الآيات لم يقرأ من قاعدة البيانات.\n"
                                          "أعد تشغيل البرنامج، فإن تكرر فأعد تثبيته."));
        return nullptr;
    }
    recitalWindow_ = static_cast<RecitalWindow *>(open(QStringLiteral("recital"), [this] {
        auto *window = new RecitalWindow(state_.searchMemory().text(), texts_, main_);
        connect(window, &RecitalWindow::hearRequested, this, &MemoriseCommands::hear);
        return window;
    }));
    recitalWindow_->setHearingAvailable(recitation_ != nullptr);
    recitalWindow_->setStart(state_.currentAya());
    return recitalWindow_;
}

void MemoriseCommands::hear(const QList<int> &ayaIds)
{
    if (!recitation_ || ayaIds.isEmpty())
        return;
    const FoldedText &folded = state_.searchMemory().text();
    std::vector<AyaRef> refs;
    for (int id : ayaIds)
        if (const int k = folded.indexOfId(id); k >= 0)
            refs.push_back({id, SuraTables::numberFromText(folded.record(k).sura), folded.record(k).aya.toInt()});
    if (!refs.empty())
        recitation_->play(refs, refs.front().id);
}

ProgressWindow *MemoriseCommands::openProgress()
{
    if (!progressData_)
        progressData_ = std::make_unique<MemoriseProgress>(state_.userStore());
    else
        progressData_->reload(); // an import may have changed it
    progressWindow_ = static_cast<ProgressWindow *>(open(QStringLiteral("memoriseProgress"), [this] {
        auto *window = new ProgressWindow(*progressData_, state_.searchMemory().text(), [this] { return today_(); }, main_);
        connect(window, &ProgressWindow::reviewPageRequested, this, &MemoriseCommands::reviewPage);
        return window;
    }));
    progressWindow_->refresh();
    return progressWindow_;
}

MemoriseCommands *MemoriseCommands::install(ReadingState &state, QWidget *mainWindow, QMenu *searchTools, QMenu *readingMenu,
                                             ReadingCommands *reading, Recitation *recitation, WindowOpening *opening)
{
    auto *memorise = new MemoriseCommands(state, mainWindow);
    searchTools->addAction(memorise->similarAction());
    readingMenu->addAction(memorise->recitalAction());
    readingMenu->addAction(memorise->progressAction());
    memorise->setReading(reading);
    readingMenu->addAction(memorise->mode()->toggleAction());
    readingMenu->addMenu(memorise->mode()->hideMenu());
    memorise->setRecitation(recitation);
    memorise->setWindowOpening(opening);
    connect(reading, &ReadingCommands::windowMade, memorise,
            [memorise](ReadingWindow *window) { memorise->watchPages(window); });
    return memorise;
}

void MemoriseCommands::setReading(ReadingCommands *reading)
{
    reading_ = reading;
    if (!mode_ && reading_)
        mode_ = new MemoriseMode(state_, *reading_, this);
}

void MemoriseCommands::reviewPage(int page)
{
    if (!reading_)
        return;
    reading_->openAtPage(page);
    if (mode_)
        mode_->setOn(true);
    emit pageOpenedForReview(page);
}

void MemoriseCommands::addAyaMenuItems(QMenu *menu)
{
    menu->addSeparator();
    menu->addAction(similar_);
}

void MemoriseCommands::watchPages(QWidget *readingWindow)
{
    if (auto *edit = readingWindow->findChild<PageView *>())
        edit->viewport()->installEventFilter(this);
    // The printed page's menu is its actions.
    if (auto *printed = readingWindow->findChild<MushafView *>()) {
        auto *separator = new QAction(printed);
        separator->setSeparator(true);
        printed->addAction(separator);
        printed->addAction(similar_);
    }
}

bool MemoriseCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ContextMenu)
        return false;
    auto *edit = qobject_cast<QTextEdit *>(watched->parent());
    if (!edit)
        return false;
    const auto *e = static_cast<QContextMenuEvent *>(event);
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu(e->pos()));
    addAyaMenuItems(menu.get());
    menu->exec(e->globalPos());
    return true;
}

} // namespace zarfan
