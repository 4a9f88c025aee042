#include "recitationcommands.h"

#include "ui/messages.h"
#include "state/readingstate.h"
#include "recitation/offlinedownload.h"
#include "offlinewindow.h"
#include "recitation/playerengine.h"
#include "recitation/recitation.h"
#include "reciterwindow.h"
#include "ui/windowopening.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

namespace zarfan {

RecitationCommands::RecitationCommands(Recitation &recitation, ReadingState &state, QWidget *window)
    : QObject(window), recitation_(recitation), state_(state), window_(window)
{
    menu_ = new QMenu(tr("التلاوة"), window);
    menu_->setObjectName(QStringLiteral("recitationMenu"));
    const auto add = [this](const QString &name, const QString &text, const QKeySequence &key) {
        QAction *a = menu_->addAction(text);
        a->setObjectName(name);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        window_->addAction(a);
        return a;
    };
    // Function keys: every Ctrl+letter of the windows is taken or expected.
    playPause_ = add(QStringLiteral("recitePlay"), tr("تشغيل"), QKeySequence(Qt::Key_F5));
    stop_ = add(QStringLiteral("reciteStop"), tr("إيقاف"), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    previous_ = add(QStringLiteral("recitePrevious"), tr("الآية السابقة"), QKeySequence(Qt::Key_F6));
    next_ = add(QStringLiteral("reciteNext"), tr("الآية التالية"), QKeySequence(Qt::Key_F7));
    menu_->addSeparator();
    sources_ = add(QStringLiteral("reciteSources"), tr("مصادر التلاوة"), QKeySequence());
    offline_ = add(QStringLiteral("reciteOffline"), tr("تنزيل للاستماع دون اتصال"), QKeySequence());
    saved_ = add(QStringLiteral("reciteSaved"), tr("التلاوات المحفوظة"), QKeySequence());
    clearCache_ = add(QStringLiteral("reciteClearCache"), tr("حذف التلاوات المحفوظة"), QKeySequence());
    download_ = new OfflineDownload(this);
    connect(download_, &OfflineDownload::progress, this, [this] {
        if (download_->isRunning())
            emit downloadProgress(tr("تنزيل التلاوة: ") + download_->progressText());
    });
    connect(download_, &OfflineDownload::finished, this, [this] { emit downloadProgress({}); });
    connect(offline_, &QAction::triggered, this, &RecitationCommands::openOffline);
    connect(saved_, &QAction::triggered, this, &RecitationCommands::openSaved);

    connect(playPause_, &QAction::triggered, this, &RecitationCommands::togglePlay);
    connect(stop_, &QAction::triggered, &recitation_, &Recitation::stop);
    connect(previous_, &QAction::triggered, &recitation_, &Recitation::previous);
    connect(next_, &QAction::triggered, &recitation_, &Recitation::next);
    connect(sources_, &QAction::triggered, this, &RecitationCommands::openSources);
    connect(clearCache_, &QAction::triggered, this, &RecitationCommands::deleteSaved);
    connect(&recitation_, &Recitation::stateChanged, this, &RecitationCommands::showState);
    connect(&recitation_, &Recitation::problem, this, [this](const QString &text) { showMessage(window_, text); });
    connect(&recitation_, &Recitation::ayaStarted, &state_, &ReadingState::followRecitation);
    // The listing being played is gone once a new search replaces it.
    connect(&state_.listing(), &QAbstractItemModel::modelReset, this, [this] {
        if (recitation_.range() == RangeKind::Listing && recitation_.state() != Recitation::State::Stopped)
            recitation_.stop();
    });
    showState();
    if (const int dropped = recitation_.droppedReciters(); dropped > 0) {
        QTimer::singleShot(0, this, [this, dropped] {
            showMessage(window_, tr("تعذرت قراءة %1 من مصادر التلاوة المحفوظة فحذفت منها؛ بقية القراء كما هم، "
                                                "ويمكنك إضافة المحذوف من \"مصادر التلاوة\"")
                                     .arg(dropped));
        });
    }
}

RecitationCommands *RecitationCommands::install(ReadingState &state, QWidget *window)
{
    auto *recitation = new Recitation(new GstPlayerEngine, window);
    recitation->setUserStore(state.userStore());
    auto *commands = new RecitationCommands(*recitation, state, window);
    commands->setCurrentAya([&state] { return state.currentAya(); });
    return commands;
}

void RecitationCommands::showState()
{
    const Recitation::State s = recitation_.state();
    const bool running = s == Recitation::State::Playing || s == Recitation::State::Loading;
    playPause_->setText(running ? tr("إيقاف مؤقت") : tr("تشغيل"));
    stop_->setEnabled(s != Recitation::State::Stopped);
    previous_->setEnabled(s != Recitation::State::Stopped);
    next_->setEnabled(s != Recitation::State::Stopped);
}

void RecitationCommands::togglePlay()
{
    switch (recitation_.state()) {
    case Recitation::State::Playing:
        recitation_.pause();
        return;
    case Recitation::State::Paused:
        recitation_.resume();
        return;
    case Recitation::State::Loading:
        recitation_.stop();
        return;
    case Recitation::State::Stopped:
        break;
    }
    const int current = currentAya_ ? currentAya_() : 0;
    DataControl data;
    data.setConnectionString(state_.connectionString());
    recitation_.play(expandRange(recitation_.range(), data, current, state_.listing(), state_.chosenList().hideadd), current);
}

QWidget *RecitationCommands::openWindow(const QString &kind, const std::function<QWidget *()> &make)
{
    if (opening_)
        return opening_->open(kind, QString(), make);
    QWidget *window = nullptr;
    for (QWidget *child : window_->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->property("recitationWindow").toString() == kind)
            window = child;
    if (!window) {
        window = make();
        window->setProperty("recitationWindow", kind);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void RecitationCommands::openSources()
{
    openWindow(QStringLiteral("reciters"), [this] { return new ReciterWindow(recitation_, window_); });
}

void RecitationCommands::chooseFromList()
{
    auto *sources = static_cast<ReciterWindow *>(
        openWindow(QStringLiteral("reciters"), [this] { return new ReciterWindow(recitation_, window_); }));
    sources->chooseFromList();
}

void RecitationCommands::openOffline()
{
    openWindow(QStringLiteral("offlineRecitation"),
               [this] { return new OfflineWindow(*download_, recitation_, state_.connectionString(), window_); });
}

void RecitationCommands::openSaved()
{
    auto *saved = static_cast<SavedRecitationsWindow *>(openWindow(
        QStringLiteral("savedRecitations"), [this] { return new SavedRecitationsWindow(recitation_, *download_, window_); }));
    saved->fill();
}

void RecitationCommands::deleteSaved()
{
    const qint64 bytes = recitationCacheSize();
    if (bytes == 0) {
        showMessage(window_, tr("لا توجد تلاوات محفوظة"));
        return;
    }
    const QString size = sizeText(bytes);
    if (QMessageBox::question(window_, tr("حذف التلاوات المحفوظة"),
                              tr("حذف التلاوات المحفوظة (%1)؟").arg(size))
        != QMessageBox::Yes)
        return;
    recitation_.stop();
    download_->cancel();
    if (!clearRecitationCache())
        showMessage(window_, tr("تعذر حذف بعض التلاوات المحفوظة"));
}

} // namespace zarfan
