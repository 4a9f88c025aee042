#include "readingwindow.h"
#include "ui_readingwindow.h"

#include "browse/suratables.h"
#include "data/userstore.h"
#include "ui/windowplaces.h"
#include "reading/readingview.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>

namespace zarfan {

ReadingWindow::ReadingWindow(ReadingState &state, QWidget *parent)
    : QMainWindow(parent, Qt::Window), state_(state), ui(std::make_unique<Ui::ReadingWindow>()),
      reader_(state.connectionString())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    QTextOption option = ui->pagetext->document()->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ui->pagetext->document()->setDefaultTextOption(option);
    statusBar()->setSizeGripEnabled(true);

    UserStore *store = state_.userStore();
    const ReadingPlace place = ReadingPlace::load(store);
    ui->script->setCurrentIndex(place.uthmani ? 1 : 0);
    if (store) {
        if (const auto kept = fittingPlace(store->value(QStringLiteral("reading.geometry")), availableScreenAreas())) {
            resize(kept->size());
            move(kept->topLeft());
        }
    }
    saveSoon_.setSingleShot(true);
    saveSoon_.setInterval(300);
    connect(&saveSoon_, &QTimer::timeout, this, &ReadingWindow::savePlace);

    connect(ui->page, &QSpinBox::valueChanged, this, [this](int n) { showPage(n); });
    connect(ui->script, &QComboBox::currentIndexChanged, this, [this] {
        applyFont();
        showPage(page_.number);
    });
    connect(ui->previouspage, &QPushButton::clicked, this, [this] { turn(-1); });
    connect(ui->nextpage, &QPushButton::clicked, this, [this] { turn(1); });
    connect(ui->pagetext, &PageView::turnRequested, this, [this](int direction) {
        if (page_.number + direction >= MushafPage::kFirst && page_.number + direction <= MushafPage::kLast)
            showPage(page_.number + direction, direction < 0);
    });
    connect(ui->pagetext, &PageView::endRequested, this,
            [this](bool last) { showPage(last ? MushafPage::kLast : MushafPage::kFirst); });
    connect(ui->pagetext, &PageView::zoomRequested, this,
            [this](int direction) { state_.setZoom(Zoom::step(state_.zoom(), direction)); });
    connect(ui->pagetext, &PageView::picked, this, &ReadingWindow::pick);
    followSoon_.setSingleShot(true);
    followSoon_.setInterval(kRunPauseMs);
    connect(&followSoon_, &QTimer::timeout, this, [this] { showAya(pendingAya_); });
    connect(&state_, &ReadingState::currentAyaChanged, this, &ReadingWindow::follow);
    connect(&state_, &ReadingState::zoomChanged, this, &ReadingWindow::applyFont);
    connect(&state_, &ReadingState::ayaFontChanged, this, &ReadingWindow::applyFont);
    connect(&state_.listing(), &ResultListing::finished, this, [this] {
        matchesStale_ = true;
        markAya();
    });

    applyFont();
    // The page is what a screen reader should read first.
    ui->pagetext->setFocus();
}

void ReadingWindow::continueReading()
{
    show();
    const ReadingPlace place = ReadingPlace::load(state_.userStore());
    if (place.aya > 0)
        state_.setCurrentAya(place.aya);
    if (page_.number != place.page || page_.isEmpty())
        showPage(place.page);
}

void ReadingWindow::openAtCurrentAya()
{
    show();
    if (state_.currentAya() > 0)
        showAya(state_.currentAya());
    else
        continueReading();
}

ReadingWindow::~ReadingWindow()
{
    if (saveSoon_.isActive())
        savePlace();
}

Script ReadingWindow::script() const { return ui->script->currentIndex() == 1 ? Script::Uthmani : Script::Imlaei; }

void ReadingWindow::applyFont()
{
    QFont font = state_.ayaFont();
    if (script() == Script::Uthmani) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(kQuranFont))) {
            font.setFamilies({QString::fromLatin1(kQuranFont)});
        } else if (!fontNoticeShown_) {
            // The aya font stands in; said once.
            fontNoticeShown_ = true;
            statusBar()->showMessage(QStringLiteral("خط Amiri Quran غير مثبت؛ يعرض النص العثماني بخط الآيات"));
        }
    }
    ui->pagetext->setFont(Zoom::apply(font, state_.zoom()));
}

void ReadingWindow::showPage(int number, bool atEnd)
{
    // Turning on to the next page reads the one left, for the khatma plan.
    if (clampPage(number) == page_.number + 1)
        state_.khatma().pageTurnedPast(page_.number);
    page_ = reader_.page(clampPage(number), script());
    page_.number = clampPage(number);
    {
        const QSignalBlocker block(ui->page);
        ui->page->setValue(page_.number);
    }
    setFacts(page_.label);
    matchesStale_ = true;
    PageView *view = ui->pagetext;
    view->setPlainText(page_.text);
    QTextDocument *doc = view->document();
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    for (const int b : page_.basmalaBlocks)
        QTextCursor(doc->findBlockByNumber(b)).mergeBlockFormat(centred);
    for (const int b : page_.headingBlocks) {
        QTextCursor c(doc->findBlockByNumber(b));
        c.mergeBlockFormat(centred);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.mergeCharFormat(heading);
    }
    markAya();
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(atEnd ? bar->maximum() : bar->minimum());
    ui->previouspage->setEnabled(page_.number > MushafPage::kFirst);
    ui->nextpage->setEnabled(page_.number < MushafPage::kLast);
    saveSoon_.start();
    emit pageShown(page_.number);
}

void ReadingWindow::turn(int direction) { showPage(page_.number + direction); }

void ReadingWindow::showAya(int ayaId)
{
    // A closed window catches up when it opens again.
    if (ayaId <= 0 || !isVisible())
        return;
    if (!page_.find(ayaId)) {
        const int number = reader_.pageOf(ayaId);
        if (number == 0)
            return;
        showPage(number);
    } else {
        markAya();
        saveSoon_.start();
    }
    if (const PageAya *a = page_.find(ayaId)) {
        QTextCursor c = ui->pagetext->textCursor();
        c.setPosition(int(a->start));
        ui->pagetext->setTextCursor(c);
        ui->pagetext->ensureCursorVisible();
        // Said by its reference, as the listing names it.
        ui->pagetext->setAccessibleDescription(SuraTables::reference(a->sura, a->aya));
        QAccessibleEvent event(ui->pagetext, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ReadingWindow::follow(int ayaId)
{
    const bool inRun = lastFollow_.isValid() && lastFollow_.elapsed() < kRunPauseMs;
    lastFollow_.start();
    if (inRun) {
        pendingAya_ = ayaId;
        followSoon_.start();
        return;
    }
    followSoon_.stop();
    showAya(ayaId);
}

void ReadingWindow::markAya()
{
    PageView *view = ui->pagetext;
    const QPalette palette = view->palette();
    QList<QTextEdit::ExtraSelection> selections;
    const PageAya *current = page_.find(state_.currentAya());
    if (current) {
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(view->document());
        s.cursor.setPosition(int(current->start));
        s.cursor.setPosition(int(current->end), QTextCursor::KeepAnchor);
        s.format.setBackground(palette.brush(QPalette::Highlight));
        s.format.setForeground(palette.brush(QPalette::HighlightedText));
        selections.append(s);
    }
    if (matchesStale_) {
        // Found again only for a new page or listing, not for each aya chosen.
        matchesStale_ = false;
        matches_.clear();
        if (const auto &match = state_.listingMatch()) {
            WordsByAya words;
            if (match->key != WordKey::Letters) {
                for (const PageAya &a : page_.ayas)
                    words.insert(a.id, state_.matchedWords(a.id));
            }
            matches_ = matchedRanges(page_, *match, words);
        }
    }
    for (const TextRange &r : matches_) {
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(view->document());
        s.cursor.setPosition(int(r.start));
        s.cursor.setPosition(int(r.start + r.length), QTextCursor::KeepAnchor);
        const bool inCurrent = current && r.start >= current->start && r.start < current->end;
        s.format.setFontUnderline(true);
        s.format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        if (!inCurrent)
            s.format.setForeground(palette.brush(QPalette::Link));
        selections.append(s);
    }
    view->setExtraSelections(selections);
}

void ReadingWindow::pick(int position)
{
    const PageAya *a = page_.ayaAt(position);
    if (!a)
        return;
    ResultRecord record;
    record.id = QString::number(a->id);
    record.sura = QString::number(a->sura);
    record.aya = QString::number(a->aya);
    record.juz = QString::number(a->juz);
    record.page = QString::number(page_.number);
    record.line = SuraTables::reference(a->sura, a->aya);
    state_.chooseAya(record);
}

void ReadingWindow::setFacts(const QString &text)
{
    ui->facts->setText(text);
    ui->facts->setAccessibleName(text);
}

void ReadingWindow::savePlace()
{
    saveSoon_.stop();
    UserStore *store = state_.userStore();
    if (!store)
        return;
    ReadingPlace place;
    place.page = page_.number;
    place.aya = page_.find(state_.currentAya()) ? state_.currentAya() : 0;
    place.uthmani = script() == Script::Uthmani;
    place.save(store);
    store->setValue(QStringLiteral("reading.geometry"), placeText(QRect(pos(), size())));
}

void ReadingWindow::closeEvent(QCloseEvent *event)
{
    savePlace();
    QMainWindow::closeEvent(event);
}

void ReadingWindow::addBottomBar(QWidget *bar, const QList<QAction *> &commands)
{
    ui->pageLayout->addWidget(bar);
    addActions(commands);
}

} // namespace zarfan
