#include "readingcommands.h"

#include "data/userstore.h"
#include "reading/windows/readingwindow.h"
#include "reading/windows/tajweedcolours.h"
#include "ui/windowopening.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>

namespace zarfan {

namespace {
// The palette the program started with, before any theme.
const QPalette &systemPalette()
{
    static const QPalette palette = QApplication::palette();
    return palette;
}
} // namespace

ReadingCommands::ReadingCommands(ReadingState &state, QWidget *mainWindow, const ReadingActions &actions,
                                 WindowOpening &opening)
    : QObject(mainWindow), state_(state), main_(mainWindow), actions_(actions), opening_(opening)
{
    systemPalette();
    auto *themes = new QActionGroup(this);
    themes->setExclusive(true);
    for (QAction *a : {actions.light, actions.paper, actions.dark}) {
        a->setCheckable(true);
        themes->addAction(a);
    }
    actions.zoomIn->setShortcuts({QKeySequence(QStringLiteral("Ctrl+=")), QKeySequence(QStringLiteral("Ctrl++"))});
    connect(actions.window, &QAction::triggered, this, &ReadingCommands::openWindow);
    connect(actions.continueReading, &QAction::triggered, this, &ReadingCommands::continueReading);
    connect(actions.zoomIn, &QAction::triggered, this, [this] { setZoom(Zoom::step(state_.zoom(), 1)); });
    connect(actions.zoomOut, &QAction::triggered, this, [this] { setZoom(Zoom::step(state_.zoom(), -1)); });
    connect(actions.zoomReset, &QAction::triggered, this, [this] { setZoom(Zoom::kNormal); });
    connect(actions.light, &QAction::triggered, this, [this] { setTheme(Theme::Light); });
    connect(actions.paper, &QAction::triggered, this, [this] { setTheme(Theme::Paper); });
    connect(actions.dark, &QAction::triggered, this, [this] { setTheme(Theme::Dark); });
    // Ctrl + wheel on the page changes the zoom through the state: kept too.
    connect(&state_, &ReadingState::zoomChanged, this, [this](int percent) {
        if (UserStore *store = state_.userStore())
            store->setValue(QStringLiteral("reading.zoom"), QByteArray::number(percent));
    });

    // "صفحتان متقابلتان" joins the menu of the reading window's command.
    facing_ = new QAction(tr("صفحتان متقابلتان"), this);
    facing_->setObjectName(QStringLiteral("facingpages"));
    facing_->setCheckable(true);
    QMenu *menu = nullptr;
    for (QObject *holder : actions.window->associatedObjects()) {
        if ((menu = qobject_cast<QMenu *>(holder)))
            break;
    }
    if (menu) {
        menu->addAction(facing_);
        // The page's picture commands, also from the menu: they act in the
        // reading window, opened first if need be.
        menu->addSeparator();
        const std::pair<const char *, QString> pictures[] = {
            {"copypagepicture", tr("نسخ الصفحة صورة")},
            {"savepagepicture", tr("حفظ الصفحة صورة…")},
            {"copyayapicture", tr("نسخ الآية صورة")},
            {"saveayapicture", tr("حفظ الآية صورة…")},
        };
        for (const auto &[name, text] : pictures) {
            auto *action = menu->addAction(text);
            action->setObjectName(QStringLiteral("menu") + QLatin1String(name));
            connect(action, &QAction::triggered, this, [this, name = QString::fromLatin1(name)] {
                const bool fresh = !window_ || !window_->isVisible();
                if (fresh)
                    openWindow();
                if (auto *own = window_->findChild<QAction *>(name))
                    own->trigger();
            });
        }
    }
    auto *tajweed = new TajweedColours(state_, menu, this);
    connect(this, &ReadingCommands::windowMade, tajweed, &TajweedColours::attach);
    connect(facing_, &QAction::toggled, this, [this](bool on) {
        if (UserStore *store = state_.userStore())
            store->setValue(QStringLiteral("reading.facing"), on ? "1" : "0");
        if (window_)
            window_->setFacing(on);
    });

    UserStore *store = state_.userStore();
    facing_->setChecked(store && store->value(QStringLiteral("reading.facing")) == "1");
    const QByteArray zoom = store ? store->value(QStringLiteral("reading.zoom")) : QByteArray();
    state_.setZoom(zoom.isEmpty() ? Zoom::kNormal : Zoom::clamp(zoom.toInt()));
    setTheme(themeFromKey(store ? store->value(QStringLiteral("reading.theme")) : QByteArray()));
}

ReadingCommands::~ReadingCommands() { delete window_; }

ReadingWindow *ReadingCommands::window() const { return window_; }

ReadingWindow *ReadingCommands::ensureWindow()
{
    // The window keeps its own place, with the page it shows.
    window_ = static_cast<ReadingWindow *>(opening_.open(QStringLiteral("reading"), QString(), [this] {
        auto *window = new ReadingWindow(state_, main_);
        window->setFacing(facing_->isChecked());
        // The size and theme keys work in the reading window as well.
        window->addActions({actions_.zoomIn, actions_.zoomOut, actions_.zoomReset, actions_.continueReading});
        if (makeBottomBar_)
            window->addBottomBar(makeBottomBar_(window), bottomBarCommands_);
        emit windowMade(window);
        return window;
    }, false));
    return window_;
}

void ReadingCommands::openWindow()
{
    const bool fresh = !window_ || !window_->isVisible();
    ReadingWindow *w = ensureWindow();
    if (fresh)
        w->openAtCurrentAya();
    w->show();
    w->raise();
    w->activateWindow();
}

void ReadingCommands::openAtPage(int page)
{
    ReadingWindow *w = ensureWindow();
    w->showPage(page);
    w->show();
    w->raise();
    w->activateWindow();
}

void ReadingCommands::continueReading()
{
    ReadingWindow *w = ensureWindow();
    w->continueReading();
    w->show();
    w->raise();
    w->activateWindow();
}

void ReadingCommands::closeWindow()
{
    if (window_)
        window_->close();
}

void ReadingCommands::setZoom(int percent) { state_.setZoom(Zoom::clamp(percent)); }

void ReadingCommands::setTheme(Theme theme)
{
    QApplication::setPalette(themePalette(theme, systemPalette()));
    QAction *checked = theme == Theme::Paper ? actions_.paper : theme == Theme::Dark ? actions_.dark : actions_.light;
    checked->setChecked(true);
    if (UserStore *store = state_.userStore())
        store->setValue(QStringLiteral("reading.theme"), themeKey(theme).toLatin1());
}

void followZoom(QWidget *box, ReadingState &state, bool ayaFont)
{
    const QFont own = box->font();
    const auto apply = [box, &state, own, ayaFont] { box->setFont(Zoom::apply(ayaFont ? state.ayaFont() : own, state.zoom())); };
    apply();
    QObject::connect(&state, &ReadingState::zoomChanged, box, apply);
    if (ayaFont)
        QObject::connect(&state, &ReadingState::ayaFontChanged, box, apply);
}

void ReadingCommands::setBottomBar(std::function<QWidget *(QWidget *parent)> make, QList<QAction *> commands)
{
    makeBottomBar_ = std::move(make);
    bottomBarCommands_ = std::move(commands);
}

} // namespace zarfan
