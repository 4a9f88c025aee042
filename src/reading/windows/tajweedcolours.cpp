#include "tajweedcolours.h"

#include "browse/suratables.h"
#include "data/userstore.h"
#include "reading/windows/mushafview.h"
#include "reading/windows/pageview.h"
#include "reading/windows/readingwindow.h"
#include "reading/tajweedglyphs.h"
#include "reading/windows/tajweedlegend.h"
#include "state/readingstate.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolTip>

namespace zarfan {

namespace {

// Draws the coloured letters of the continuous text over it, glyph for
// glyph as the text's own shaping placed them.
class TextOverlay : public QWidget {
public:
    TextOverlay(PageView *view, ReadingWindow *window, const TajweedColours &colours, ReadingState &state)
        : QWidget(view->viewport()), view_(view), window_(window), colours_(colours), state_(state)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(view->viewport()->rect());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const MushafPage &page = window_->page();
        if (!colours_.isOn() || page.script != Script::Uthmani || view_->isHidden())
            return;
        QPainter p(this);
        QTextDocument *doc = view_->document();
        const QScrollBar *h = view_->horizontalScrollBar();
        const int dx = view_->isRightToLeft() ? h->maximum() - h->value() : h->value();
        const QPointF offset(-dx, -view_->verticalScrollBar()->value());
        const QPalette pal = view_->palette();
        for (const PageAya &a : page.ayas) {
            // The current aya keeps the highlight's own colours.
            if (a.id == state_.currentAya())
                continue;
            for (const TajweedSpan &s : colours_.spans().within(a.id, 0, int(a.wordsEnd - a.start))) {
                const int cls = int(tajweedRules()[s.rule].cls);
                const QTextBlock block = doc->findBlock(int(a.start) + s.start);
                QTextLayout *layout = block.layout();
                if (!layout)
                    continue;
                const QPointF origin = doc->documentLayout()->blockBoundingRect(block).topLeft() + offset;
                p.setPen(tajweedColour(TajweedClass(cls), pal));
                // A hidden letter (memorising) stays hidden.
                int from = int(a.start) + s.start;
                const int end = int(a.start) + s.end;
                while (from < end) {
                    QTextCursor c(doc);
                    c.setPosition(from + 1);
                    const bool hidden = c.charFormat().foreground().color().alpha() == 0;
                    int to = from + 1;
                    for (; to < end; ++to) {
                        c.setPosition(to + 1);
                        if ((c.charFormat().foreground().color().alpha() == 0) != hidden)
                            break;
                    }
                    if (!hidden) {
                        for (const QGlyphRun &run : layout->glyphRuns(from - block.position(), to - from))
                            p.drawGlyphRun(origin, run);
                    }
                    from = to;
                }
            }
        }
    }

private:
    PageView *view_;
    ReadingWindow *window_;
    const TajweedColours &colours_;
    ReadingState &state_;
};

} // namespace

TajweedColours::TajweedColours(ReadingState &state, QMenu *menu, QObject *parent) : QObject(parent), state_(state)
{
    toggle_ = new QAction(tr("ألوان التجويد"), this);
    toggle_->setObjectName(QStringLiteral("tajweedcolours"));
    toggle_->setCheckable(true);
    // From the reading window too, where the colours show.
    toggle_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+J")));
    toggle_->setShortcutContext(Qt::ApplicationShortcut);
    legend_ = new QAction(tr("دليل ألوان التجويد"), this);
    legend_->setObjectName(QStringLiteral("tajweedlegend"));
    if (menu) {
        menu->addAction(toggle_);
        menu->addAction(legend_);
    }
    UserStore *store = state_.userStore();
    toggle_->setChecked(store && store->value(QStringLiteral("reading.tajweed")) == "1");
    connect(toggle_, &QAction::toggled, this, &TajweedColours::setOn);
    connect(legend_, &QAction::triggered, this, [this] {
        if (!legendWindow_)
            legendWindow_ = new TajweedLegend(*this, window_ ? static_cast<QWidget *>(window_) : nullptr);
        legendWindow_->refresh(mushaf_ ? mushaf_->pages() : QList<PrintedPage>());
        legendWindow_->show();
        legendWindow_->raise();
    });
}

TajweedColours::~TajweedColours()
{
    delete legendWindow_;
    delete overlay_;
    if (mushaf_)
        mushaf_->setTajweed(nullptr);
}

bool TajweedColours::isOn() const { return toggle_->isChecked() && !spans_.isEmpty(); }

void TajweedColours::attach(ReadingWindow *window)
{
    window_ = window;
    mushaf_ = window->findChild<MushafView *>(QStringLiteral("mushafpage"));
    text_ = window->findChild<PageView *>(QStringLiteral("pagetext"));
    if (!mushaf_ || !text_)
        return;
    overlay_ = new TextOverlay(text_, window, *this, state_);
    text_->viewport()->installEventFilter(this);
    mushaf_->viewport()->installEventFilter(this);
    tellKey_ = new QAction(tr("أحكام التجويد"), window);
    tellKey_->setObjectName(QStringLiteral("tajweedtell"));
    tellKey_->setShortcut(QKeySequence(QStringLiteral("Ctrl+J")));
    connect(tellKey_, &QAction::triggered, this, &TajweedColours::tellCurrent);
    window->addAction(tellKey_);
    here_ = new QAction(window);
    here_->setObjectName(QStringLiteral("tajweedhere"));
    here_->setVisible(false);
    connect(here_, &QAction::triggered, this, [this] { tell(here_->data().toString()); });
    mushaf_->addAction(here_);
    connect(window, &ReadingWindow::pageShown, this, [this] {
        if (legendWindow_)
            legendWindow_->refresh(mushaf_->pages());
    });
    if (toggle_->isChecked())
        setOn(true);
}

void TajweedColours::setOn(bool on)
{
    if (UserStore *store = state_.userStore())
        store->setValue(QStringLiteral("reading.tajweed"), on ? "1" : "0");
    if (on && spans_.isEmpty())
        spans_.load(state_.connectionString());
    if (on && window_) {
        // The spans mark the Uthmani text.
        auto *script = window_->findChild<QComboBox *>(QStringLiteral("script"));
        if (script && script->currentIndex() != 1) {
            script->setCurrentIndex(1);
            if (!switchTold_) {
                switchTold_ = true;
                window_->statusBar()->showMessage(tr("ألوان التجويد للرسم العثماني: عُرضت الصفحة به"));
            }
        }
    }
    apply();
}

void TajweedColours::apply()
{
    if (mushaf_)
        mushaf_->setTajweed(isOn() ? &spans_ : nullptr, only_);
    if (overlay_)
        overlay_->update();
}

void TajweedColours::showOnly(int cls)
{
    only_ = cls;
    apply();
}

QString TajweedColours::namesOfWord(int ayaId, int wordStart, int wordEnd) const
{
    return spans_.names(ayaId, wordStart, wordEnd);
}

QString TajweedColours::namesInText(int position) const
{
    if (!window_ || window_->page().script != Script::Uthmani)
        return {};
    const MushafPage &page = window_->page();
    const PageAya *a = page.ayaAt(position);
    if (!a || position >= a->wordsEnd)
        return {};
    // The word around the position.
    const QString &text = page.text;
    qsizetype from = position, to = position;
    while (from > a->start && !text.at(from - 1).isSpace())
        --from;
    while (to < a->wordsEnd && !text.at(to).isSpace())
        ++to;
    return namesOfWord(a->id, int(from - a->start), int(to - a->start));
}

QString TajweedColours::namesAt(QWidget *viewport, QPoint point) const
{
    if (!isOn())
        return {};
    if (mushaf_ && viewport == mushaf_->viewport()) {
        const std::optional<PageWord> word = mushaf_->wordAt(point);
        if (!word)
            return {};
        for (const PrintedPage &page : mushaf_->pages()) {
            for (const PrintedLine &line : page.lines) {
                for (const PrintedItem &item : line.items) {
                    if (item.word == *word && item.start >= 0) {
                        const qsizetype blank = item.text.indexOf(u' ');
                        return namesOfWord(item.ayaId, item.start, item.start + int(blank < 0 ? item.text.size() : blank));
                    }
                }
            }
        }
        return {};
    }
    if (text_ && viewport == text_->viewport())
        return namesInText(text_->cursorForPosition(point).position());
    return {};
}

QString TajweedColours::tellCurrent()
{
    if (!window_)
        return {};
    QString said;
    if (!isOn()) {
        said = tr("ألوان التجويد غير مفعلة");
    } else if (window_->printed()) {
        const int id = state_.currentAya();
        const PageAya *a = nullptr;
        for (const PrintedPage &p : window_->printedPages())
            a = a ? a : p.textPage.find(id);
        const QString names = a ? spans_.names(id, 0, int(a->wordsEnd - a->start)) : QString();
        said = !a ? tr("لا آية محددة في هذه الصفحة") : names.isEmpty() ? tr("لا حكم تجويد في هذه الآية")
                                                                     : SuraTables::reference(a->sura, a->aya) + QStringLiteral(": ") + names;
    } else {
        const QString names = namesInText(text_->textCursor().position());
        said = names.isEmpty() ? tr("لا حكم تجويد في هذه الكلمة") : names;
    }
    tell(said);
    return said;
}

void TajweedColours::tell(const QString &text)
{
    if (!window_)
        return;
    window_->statusBar()->showMessage(text);
    QWidget *shown = window_->printed() ? static_cast<QWidget *>(mushaf_) : text_;
    if (!shown)
        return;
    shown->setAccessibleDescription(text);
    QAccessibleEvent event(shown, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

bool TajweedColours::eventFilter(QObject *watched, QEvent *event)
{
    auto *viewport = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString names = namesAt(viewport, help->pos());
        if (names.isEmpty())
            return false;
        QToolTip::showText(help->globalPos(), names, viewport);
        return true;
    }
    case QEvent::ContextMenu:
        if (here_) {
            // The menu names the rules of the word clicked.
            const QString names = namesAt(viewport, static_cast<QContextMenuEvent *>(event)->pos());
            here_->setText(tr("التجويد: %1").arg(names));
            here_->setData(names);
            here_->setVisible(!names.isEmpty());
        }
        return false;
    case QEvent::Resize:
        if (overlay_ && text_ && viewport == text_->viewport())
            overlay_->setGeometry(viewport->rect());
        return false;
    default:
        return false;
    }
}

} // namespace zarfan
