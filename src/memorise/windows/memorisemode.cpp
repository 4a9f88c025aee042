#include "memorisemode.h"

#include "reading/windows/mushafview.h"
#include "reading/windows/pageview.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "state/readingstate.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace zarfan {

namespace {
bool isPauseMark(QStringView w)
{
    return std::all_of(w.begin(), w.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; });
}
} // namespace

MemoriseMode::MemoriseMode(ReadingState &state, ReadingCommands &reading, QObject *parent)
    : QObject(parent), state_(state), reading_(reading), toggle_(new QAction(tr("وضع الحفظ"), this)),
      hideMenu_(new QMenu(tr("إخفاء"))), modes_(new QActionGroup(this))
{
    toggle_->setObjectName(QStringLiteral("memorisemode"));
    toggle_->setCheckable(true);
    toggle_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    toggle_->setShortcutContext(Qt::ApplicationShortcut);
    connect(toggle_, &QAction::toggled, this, &MemoriseMode::setOn);
    hideMenu_->setObjectName(QStringLiteral("hidemode"));
    const std::pair<HideMode, QString> modes[] = {{HideMode::AllWords, tr("كل الكلمات")},
                                                  {HideMode::AfterCurrentAya, tr("ما بعد الآية الحالية")},
                                                  {HideMode::FirstLetter, tr("الحرف الأول")},
                                                  {HideMode::EveryOther, tr("كلمة وكلمة")}};
    for (const auto &[mode, name] : modes) {
        QAction *a = hideMenu_->addAction(name);
        a->setCheckable(true);
        a->setChecked(mode == HideMode::AllWords);
        modes_->addAction(a);
        connect(a, &QAction::triggered, this, [this, mode = mode] { setHideMode(mode); });
    }
    connect(&reading_, &ReadingCommands::windowMade, this, &MemoriseMode::attach);
    if (reading_.window())
        attach(reading_.window());
    // The window marks the current aya afresh as it follows it.
    connect(&state_, &ReadingState::currentAyaChanged, this, [this] {
        if (on_)
            QTimer::singleShot(200, this, &MemoriseMode::quietSelections);
    });
}

MemoriseMode::~MemoriseMode() { delete hideMenu_; }

QMenu *MemoriseMode::hideMenu() const { return hideMenu_; }

void MemoriseMode::attach(ReadingWindow *window)
{
    if (window_ == window)
        return;
    window_ = window;
    page_ = window->findChild<PageView *>();
    mushaf_ = window->findChild<MushafView *>();
    for (QAbstractScrollArea *view : {static_cast<QAbstractScrollArea *>(page_.data()), static_cast<QAbstractScrollArea *>(mushaf_.data())}) {
        if (view) {
            view->installEventFilter(this);
            view->viewport()->installEventFilter(this);
        }
    }
    connect(window, &ReadingWindow::pageShown, this, &MemoriseMode::pageShown);
}

void MemoriseMode::setOn(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    {
        const QSignalBlocker block(toggle_);
        toggle_->setChecked(on);
    }
    if (on) {
        if (!reading_.window() || !reading_.window()->isVisible())
            reading_.openWindow();
        else
            pageShown();
    } else if (window_) {
        if (mushaf_)
            mushaf_->setVeil(nullptr);
        // The page put back as it was.
        window_->showPage(window_->pageNumber());
    }
}

void MemoriseMode::setHideMode(HideMode mode)
{
    for (QAction *a : modes_->actions())
        a->setChecked(a == modes_->actions().value(int(mode)));
    veil_.setMode(mode);
    if (on_)
        drawAll();
}

bool MemoriseMode::printedShown() const { return mushaf_ && !mushaf_->isHidden(); }

void MemoriseMode::pageShown()
{
    if (!on_ || !window_ || !page_)
        return;
    if (printedShown()) {
        // The printed page draws each word as the veil says.
        places_.clear();
        const PageAya *current = window_->page().find(state_.currentAya());
        veil_.setPage(mushaf_->pageWords(), current ? current->sura : 0, current ? current->aya : 0);
        mushaf_->setVeil(&veil_);
        return;
    }
    if (mushaf_)
        mushaf_->setVeil(nullptr);
    // The page's words in reading order and where each lies in the text.
    QList<PageWord> words;
    places_.clear();
    const MushafPage &page = window_->page();
    for (const PageAya &a : page.ayas) {
        const QString &text = page.text;
        int number = 0;
        qsizetype i = a.start;
        while (i < a.wordsEnd) {
            while (i < a.wordsEnd && text.at(i).isSpace())
                ++i;
            const qsizetype start = i;
            while (i < a.wordsEnd && !text.at(i).isSpace())
                ++i;
            const QStringView word = QStringView(text).mid(start, i - start);
            if (word.isEmpty() || isPauseMark(word))
                continue;
            words.append({a.sura, a.aya, ++number});
            // The first letter with the marks that sit on it.
            int first = 1;
            while (first < word.size() && word.at(first).category() == QChar::Mark_NonSpacing)
                ++first;
            places_.append({int(start), int(word.size()), first});
        }
    }
    const PageAya *current = page.find(state_.currentAya());
    veil_.setPage(words, current ? current->sura : 0, current ? current->aya : 0);
    drawAll();
}

void MemoriseMode::drawAll() { draw(veil_.words()); }

void MemoriseMode::draw(const QList<PageWord> &words)
{
    if (printedShown()) {
        mushaf_->viewport()->update();
        return;
    }
    if (!page_)
        return;
    const QList<PageWord> &all = veil_.words();
    QTextCharFormat hidden;
    hidden.setForeground(Qt::transparent);
    hidden.setFontUnderline(true);
    hidden.setUnderlineColor(page_->palette().color(QPalette::Text));
    QTextCharFormat whole;
    whole.setForeground(page_->palette().brush(QPalette::Text));
    whole.setFontUnderline(false);
    QTextCursor c(page_->document());
    c.beginEditBlock();
    for (const PageWord &w : words) {
        const int i = int(all.indexOf(w));
        if (i < 0)
            continue;
        const Place &p = places_.at(i);
        const WordShow show = veil_.show(w);
        c.setPosition(p.start);
        c.setPosition(p.start + p.length, QTextCursor::KeepAnchor);
        c.mergeCharFormat(show == WordShow::Whole ? whole : hidden);
        if (show == WordShow::FirstLetter) {
            c.setPosition(p.start);
            c.setPosition(p.start + p.firstLetter, QTextCursor::KeepAnchor);
            c.mergeCharFormat(whole);
        }
    }
    c.endEditBlock();
    // Hidden to the ear as to the eye.
    QList<std::pair<int, int>> unspoken;
    for (int i = 0; i < all.size() && i < places_.size(); ++i) {
        const WordShow show = veil_.show(all[i]);
        const Place &p = places_.at(i);
        if (show == WordShow::Hidden)
            unspoken.append({p.start, p.length});
        else if (show == WordShow::FirstLetter)
            unspoken.append({p.start + p.firstLetter, p.length - p.firstLetter});
    }
    page_->setUnspoken(unspoken);
    quietSelections();
}

void MemoriseMode::quietSelections()
{
    // The current aya's highlight keeps its background; its text colour
    // would show the hidden words.
    if (!on_ || !page_ || printedShown())
        return;
    QList<QTextEdit::ExtraSelection> selections = page_->extraSelections();
    for (QTextEdit::ExtraSelection &s : selections) {
        s.format.clearForeground();
        s.format.setFontUnderline(false);
    }
    page_->setExtraSelections(selections);
}

int MemoriseMode::wordAt(int position) const
{
    for (int i = 0; i < places_.size(); ++i)
        if (position >= places_.at(i).start && position <= places_.at(i).start + places_.at(i).length)
            return i;
    return -1;
}

bool MemoriseMode::eventFilter(QObject *watched, QEvent *event)
{
    // Only keys and clicks: other events come also while a page is being
    // destroyed, when it is no longer the type it was made as.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    if (!on_ || !page_)
        return false;
    if ((watched == page_ || (mushaf_ && watched == mushaf_)) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        switch (key->key()) {
        case Qt::Key_Space:
            draw(mods & Qt::ShiftModifier ? veil_.revealRestOfAya() : veil_.revealNext());
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (mods != Qt::NoModifier)
                return false;
            draw(veil_.revealAll());
            return true;
        case Qt::Key_Backspace:
            draw(veil_.hideLast());
            return true;
        case Qt::Key_Escape:
            setOn(false);
            return true;
        default:
            return false;
        }
    }
    if (mushaf_ && watched == mushaf_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const std::optional<PageWord> word = mushaf_->wordAt(mouse->position().toPoint());
        if (word && mouse->button() == Qt::LeftButton && veil_.isHidden(*word)) {
            draw(veil_.reveal(*word));
            return true;
        }
    }
    if (watched == page_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int i = wordAt(page_->cursorForPosition(mouse->position().toPoint()).position());
        if (i >= 0 && mouse->button() == Qt::LeftButton && veil_.isHidden(veil_.words().at(i))) {
            draw(veil_.reveal(veil_.words().at(i)));
            return true;
        }
    }
    return false;
}

} // namespace zarfan
