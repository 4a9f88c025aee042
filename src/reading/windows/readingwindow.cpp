#include "readingwindow.h"
#include "ui_readingwindow.h"
#include "translation/translationlibrary.h"
#include "translation/windows/translationunder.h"
#include "printedgloss.h"

#include "browse/suratables.h"
#include "data/userstore.h"
#include "ui/messages.h"
#include "ui/savefiledialog.h"
#include "ui/windowplaces.h"
#include "reading/windows/mushafview.h"
#include "reading/readingview.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QFontDatabase>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace zarfan {

ReadingWindow::ReadingWindow(ReadingState &state, QWidget *parent)
    : QMainWindow(parent, Qt::Window), state_(state), ui(std::make_unique<Ui::ReadingWindow>()),
      reader_(state.connectionString()), printedReader_(state.connectionString())
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
    ui->viewmode->setCurrentIndex(place.continuous ? 1 : 0);
    showView();
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
    connect(ui->viewmode, &QComboBox::currentIndexChanged, this, [this] {
        showView();
        showPage(page_.number);
        saveSoon_.start();
    });
    connect(ui->previouspage, &QPushButton::clicked, this, [this] { turnByReader(-1); });
    connect(ui->nextpage, &QPushButton::clicked, this, [this] { turnByReader(1); });
    connect(ui->pagetext, &PageView::turnRequested, this, [this](int direction) { turnByReader(direction, direction < 0); });
    connect(ui->mushafpage, &MushafView::turnRequested, this, [this](int direction) { turnByReader(direction, direction < 0); });
    connect(ui->mushafpage, &MushafView::endRequested, this,
            [this](bool last) { showPage(last ? MushafPage::kLast : MushafPage::kFirst); });
    connect(ui->mushafpage, &MushafView::zoomRequested, this,
            [this](int direction) { state_.setZoom(Zoom::step(state_.zoom(), direction)); });
    connect(ui->mushafpage, &MushafView::ayaPicked, this, &ReadingWindow::pickAya);
    connect(ui->pagetext, &PageView::endRequested, this,
            [this](bool last) { showPage(last ? MushafPage::kLast : MushafPage::kFirst); });
    connect(ui->pagetext, &PageView::zoomRequested, this,
            [this](int direction) { state_.setZoom(Zoom::step(state_.zoom(), direction)); });
    connect(ui->pagetext, &PageView::picked, this, &ReadingWindow::pick);
    // The translation under each aya of the continuous text; the words' meanings.
    under_ = new TranslationUnder(state_.translations(), ui->translationunder, reader_, [this] { showPage(page_.number); }, this);
    new PageGloss(ui->pagetext, page_, state_.connectionString(), this);
    new PrintedGloss(ui->mushafpage, state_.connectionString(), this);
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

    makePictureCommands();
    applyFont();
    // The page is what a screen reader should read first.
    (printed() ? static_cast<QWidget *>(ui->mushafpage) : ui->pagetext)->setFocus();
}

bool ReadingWindow::printed() const { return ui->viewmode->currentIndex() == 0; }

void ReadingWindow::showView()
{
    const bool hadFocus = ui->pagetext->hasFocus() || ui->mushafpage->hasFocus();
    ui->pagetext->setVisible(!printed());
    ui->mushafpage->setVisible(printed());
    if (hadFocus)
        (printed() ? static_cast<QWidget *>(ui->mushafpage) : ui->pagetext)->setFocus();
}

void ReadingWindow::turnByReader(int direction, bool atEnd)
{
    // Facing pages turn as a pair: the odd page and the even one after it.
    const bool pair = facingShown();
    const int first = pair ? page_.number - (page_.number + 1) % 2 : page_.number;
    const int to = first + direction * (pair ? 2 : 1);
    if (to < MushafPage::kFirst || to > MushafPage::kLast)
        return;
    // Only a page the reader turned from to the next counts as read.
    if (direction > 0) {
        state_.khatma().pageTurnedPast(first);
        if (pair)
            state_.khatma().pageTurnedPast(first + 1);
    }
    showPage(to, atEnd);
}

void ReadingWindow::loadPrinted()
{
    if (facingShown()) {
        const int odd = page_.number - (page_.number + 1) % 2;
        printed_ = {printedReader_.page(odd, script())};
        if (odd + 1 <= MushafPage::kLast)
            printed_.append(printedReader_.page(odd + 1, script()));
    } else {
        printed_ = {printedReader_.page(page_.number, script())};
    }
    ui->mushafpage->setPages(printed_);
}

// The printed view is kept only while shown; a picture asked for from the
// continuous text is of the page read there.
void ReadingWindow::printedUpToDate()
{
    if (!printed()) {
        // Hidden, it kept the size it last had: given the text's, so the
        // picture is as large as the printed view would show it.
        MushafView *view = ui->mushafpage;
        const QSize old = view->size();
        view->setGeometry(ui->pagetext->geometry());
        QResizeEvent resized(view->size(), old);
        QCoreApplication::sendEvent(view, &resized);
        loadPrinted();
        markAya();
    }
}

void ReadingWindow::makePictureCommands()
{
    MushafView *view = ui->mushafpage;
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto add = [&](const char *name, const QString &text, auto slot) {
        auto *action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        view->addAction(action);
    };
    add("copypagepicture", tr("نسخ الصفحة صورة"), [this] {
        printedUpToDate();
        const QImage image = pagePicture();
        QGuiApplication::clipboard()->setImage(image);
        sayIfCapped(image);
    });
    add("savepagepicture", tr("حفظ الصفحة صورة…"), [this] {
        printedUpToDate();
        const QImage image = pagePicture();
        sayIfCapped(image);
        savePicture(image, tr("صفحة-%1.png").arg(page_.number));
    });
    const auto aya = [this](bool save) {
        printedUpToDate();
        const PageAya *a = nullptr;
        for (const PrintedPage &p : printed_)
            a = a ? a : p.textPage.find(state_.currentAya());
        if (!a) {
            statusBar()->showMessage(tr("لا آية محددة في هذه الصفحة؛ انقر آية لتحديدها ثم أعد الأمر"));
            return;
        }
        const int sura = a->sura, number = a->aya;
        const std::optional<bool> withTafsir = askWithTafsir();
        if (!withTafsir)
            return;
        const QImage image = ayaPicture(*withTafsir);
        sayIfCapped(image);
        if (save)
            savePicture(image, tr("آية-%1-%2.png").arg(sura).arg(number));
        else
            QGuiApplication::clipboard()->setImage(image);
    };
    add("copyayapicture", tr("نسخ الآية صورة"), [aya] { aya(false); });
    add("saveayapicture", tr("حفظ الآية صورة…"), [aya] { aya(true); });
}

double ReadingWindow::pictureRatio(double unitsAcross) const
{
    const double wanted = 2 * devicePixelRatioF();
    const double most = kMaxPictureSide / std::max(1.0, unitsAcross * ui->mushafpage->pixelsPerUnit());
    pictureCapped_ = most < wanted;
    return std::min(wanted, most);
}

void ReadingWindow::sayIfCapped(const QImage &image)
{
    if (pictureCapped_ && !image.isNull())
        statusBar()->showMessage(tr("الصورة أكبر من الحد، فصُنعت بحجم %1 × %2 نقطة").arg(image.width()).arg(image.height()));
}

QImage ReadingWindow::pagePicture() const
{
    const bool facing = ui->mushafpage->pages().size() == 2;
    const double across = facing ? 2 * MushafView::kWidth + MushafView::kFacingGap : MushafView::kWidth;
    return ui->mushafpage->picture(pictureRatio(std::max(across, MushafView::kHeight)));
}

QImage ReadingWindow::ayaPicture(bool withTafsir)
{
    const int id = state_.currentAya();
    const PageAya *a = nullptr;
    int pageNumber = 0;
    for (const PrintedPage &p : printed_) {
        if (!a && (a = p.textPage.find(id)))
            pageNumber = p.number;
    }
    if (!a)
        return {};
    QString tafsir;
    if (withTafsir) {
        UserStore *store = state_.userStore();
        const bool jalalayn = store && store->value(QStringLiteral("tafsir")) == "jalalayn";
        DataControl dc;
        dc.setConnectionString(state_.connectionString());
        dc.setRecordSource(QStringLiteral("SELECT %1 AS t FROM Ayat where ID = %2").arg(jalalayn ? u"taf"_s : u"taf2"_s).arg(id));
        if (dc.refresh())
            tafsir = dc.field(u"t").trimmed();
    }
    // The translation and its credit line after the tafsir, when asked for ("مع الترجمة").
    if (const QString after = state_.translations().exportedAfter(id); !after.isEmpty())
        tafsir += (tafsir.isEmpty() ? QString() : u"\n\n"_s) + after + u'\n' + state_.translations().exportedCredit();
    const QString reference = SuraTables::reference(a->sura, a->aya);
    // Always in the Uthmani script, laid out as the page prints it.
    MushafView uthmani;
    uthmani.setPalette(ui->mushafpage->palette());
    uthmani.setQuranFont(quranFont_);
    uthmani.setTajweed(ui->mushafpage->tajweed());
    uthmani.setPages({printedReader_.page(pageNumber, Script::Uthmani)});
    return uthmani.ayaPicture(id, ui->mushafpage->pixelsPerUnit() * pictureRatio(MushafView::kWidth), reference, tafsir);
}

std::optional<bool> ReadingWindow::askWithTafsir()
{
    QDialog dialog(this);
    dialog.setWindowTitle(tr("صورة الآية"));
    dialog.setLayoutDirection(Qt::RightToLeft);
    auto *layout = new QVBoxLayout(&dialog);
    auto *box = new QCheckBox(tr("مع التفسير"), &dialog);
    box->setObjectName(QStringLiteral("withtafsir"));
    layout->addWidget(box);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("موافق"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("إلغاء"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return box->isChecked();
}

void ReadingWindow::savePicture(const QImage &image, const QString &name)
{
    const QString path =
        askSaveFile(this, tr("حفظ الصورة"), {{u"PNG"_s, {u"png"_s}}}, QDir::home().filePath(name)).path;
    if (path.isEmpty())
        return;
    QString error;
    if (!writePicture(image, path, &error))
        showMessage(this, tr("تعذر حفظ الصورة في هذا الملف. اختر مكانًا آخر تملك الكتابة فيه ثم أعد المحاولة.\n")
                              + error);
}

void ReadingWindow::setFacing(bool on)
{
    facing_ = on;
    if (!page_.isEmpty())
        showPage(page_.number);
}

bool ReadingWindow::facingShown() const { return facing_ && printed() && width() > height(); }

void ReadingWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const bool pair = facingShown();
    if (!page_.isEmpty() && printed() && pair != (printed_.size() == 2))
        showPage(page_.number);
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
            statusBar()->showMessage(tr("خط Amiri Quran غير مثبت؛ يعرض النص العثماني بخط الآيات"));
        }
    }
    ui->pagetext->setFont(Zoom::apply(font, state_.zoom()));
    // The printed page draws the Uthmani face in either script, at the
    // largest size that fits; the zoom enlarges it beyond that.
    QFont quran = state_.ayaFont();
    if (QFontDatabase::hasFamily(QString::fromLatin1(kQuranFont)))
        quran.setFamilies({QString::fromLatin1(kQuranFont)});
    quranFont_ = quran;
    ui->mushafpage->setQuranFont(quran);
    ui->mushafpage->setZoom(state_.zoom());
}

void ReadingWindow::showPage(int number, bool atEnd)
{
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
    view->setUnspoken({});
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
    under_->format(doc, page_.translationBlocks);
    if (printed())
        loadPrinted();
    markAya();
    if (atEnd) {
        // Turned back: the caret waits at the end, where the view is.
        QTextCursor end(doc);
        end.movePosition(QTextCursor::End);
        view->setTextCursor(end);
    }
    for (QScrollBar *bar : {view->verticalScrollBar(), ui->mushafpage->verticalScrollBar()})
        bar->setValue(atEnd ? bar->maximum() : bar->minimum());
    // Where the lines begin: the right side.
    ui->mushafpage->horizontalScrollBar()->setValue(ui->mushafpage->horizontalScrollBar()->minimum());
    ui->previouspage->setEnabled(page_.number > MushafPage::kFirst);
    ui->nextpage->setEnabled(page_.number < MushafPage::kLast);
    saveSoon_.start();
    emit pageShown(page_.number);
}

void ReadingWindow::turn(int direction) { turnByReader(direction); }

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
        // Said by its reference, as the listing names it: once per change,
        // though the aya may be shown again on the way.
        const QString said = SuraTables::reference(a->sura, a->aya);
        QWidget *shown = printed() ? static_cast<QWidget *>(ui->mushafpage) : ui->pagetext;
        if (shown->accessibleDescription() != said) {
            // Which tells a screen reader itself.
            shown->setAccessibleDescription(said);
            emit ayaAnnounced(said);
        }
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
    // The window's palette: on a theme change it is new before the page's is.
    const QPalette palette = this->palette();
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
    if (printed()) {
        ui->mushafpage->setCurrentAya(current ? current->id : state_.currentAya());
        QList<PageWord> marked;
        if (const auto &match = state_.listingMatch()) {
            for (const PrintedPage &p : printed_) {
                WordsByAya words;
                if (match->key != WordKey::Letters) {
                    for (const PageAya &a : p.textPage.ayas)
                        words.insert(a.id, state_.matchedWords(a.id));
                }
                marked += matchedWords(p, matchedRanges(p.textPage, *match, words));
            }
        }
        ui->mushafpage->setMarkedWords(marked);
    }
}

void ReadingWindow::pickAya(int ayaId)
{
    if (const PageAya *a = page_.find(ayaId)) {
        pick(int(a->start));
        return;
    }
    // The tail of an aya begun on the page before.
    for (const PrintedPage &p : printed_) {
        if (const PageAya *a = p.textPage.find(ayaId)) {
            chooseAyaOf(*a, p.number);
            return;
        }
    }
}

void ReadingWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The marks take the colours of a new theme, once every widget has them.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        QMetaObject::invokeMethod(this, &ReadingWindow::markAya, Qt::QueuedConnection);
}

void ReadingWindow::pick(int position)
{
    const PageAya *a = page_.ayaAt(position);
    if (!a)
        return;
    chooseAyaOf(*a, page_.number);
}

void ReadingWindow::chooseAyaOf(const PageAya &a, int page)
{
    ResultRecord record;
    record.id = QString::number(a.id);
    record.sura = QString::number(a.sura);
    record.aya = QString::number(a.aya);
    record.juz = QString::number(a.juz);
    record.page = QString::number(page);
    record.line = SuraTables::reference(a.sura, a.aya);
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
    place.continuous = !printed();
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
