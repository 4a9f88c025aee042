#include "composewindow.h"
#include "ui_composewindow.h"
#include "data/wholefile.h"

#include "reading/windows/readingcommands.h"

#include "ui/controls.h"
#include "ui/savefiledialog.h"
#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "ui/keyboardlayout.h"
#include "state/readingstate.h"
#include "state/listingfill.h"
#include "browse/programstate.h"
#include "compose/composer.h"
#include "translation/translationlibrary.h"

#include "ui/messages.h"
#include "compose/composedexport.h"

#include <QClipboard>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>
#include <QGuiApplication>
#include <QPointer>
#include <QTextDocumentFragment>

namespace zarfan {

ComposeWindow::ComposeWindow(ReadingState &state, QWidget *parent)
    : ActivatedDialog(parent), ui(std::make_unique<Ui::Form5>()), state_(state)
{
    ui->setupUi(this);
    layout()->setMenuBar(ui->menubar);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    ui->Text2->setFont(designFont(QStringLiteral("Tahoma"), 9.75));
    followZoom(ui->Text2, state_);
    alignRightToLeft(ui->Text2);
    setShown(tr("يرجى الإنتظار ...") + QStringLiteral("\r\n"));
    setComposed(false);

    activateArabicKeyboard();
    centreWhenShown(this);
    Adodc1.setConnectionString(state.connectionString());
    connect(ui->copy, &QAction::triggered, this, &ComposeWindow::copyText);
    connect(ui->save, &QAction::triggered, this, &ComposeWindow::saveText);
    connect(ui->print, &QAction::triggered, this, &ComposeWindow::printText);
    ui->withtranslation->setChecked(state_.translations().withTranslation());
    ui->withtranslation->setEnabled(state_.translations().chosen() != nullptr);
    connect(ui->withtranslation, &QAction::toggled, this, [this](bool on) {
        state_.translations().setWithTranslation(on);
        build();
    });
}

ComposeWindow::~ComposeWindow() = default;

void ComposeWindow::setComposed(bool composed)
{
    // The placeholder is never saved or printed.
    ui->save->setEnabled(composed);
    ui->print->setEnabled(composed);
}

void ComposeWindow::setShown(const QString &text)
{
    shown_ = text;
    ui->Text2->setPlainText(text);
}

void ComposeWindow::build()
{
    const ProgramState &state = programState();
    const bool plain = state_.withoutDiacritics();
    const quint64 mine = ++builds_;
    busy_ = true;
    setComposed(false);
    QPointer<ComposeWindow> self(this);
    EventYield yield;
    const Composer::Yield keepGoing = [&] {
        yield.maybe();
        return !self.isNull() && builds_ == mine;
    };
    QString text;
    TranslationLibrary &translations = state_.translations();
    const Composer::After after = [&translations](int id) { return translations.exportedAfter(id); };
    if (state.composemode == 1)
        text = Composer::sura(Adodc1, state.composesura, plain, keepGoing, after);
    else if (state.composemode == 2)
        text = Composer::chosen(Adodc1, state_.chosenList().hideadd, state_.chosenList().addaya, plain, keepGoing, after);
    else if (state.composemode == 3)
        text = Composer::chosen(Adodc1, ids_, lines_, plain, keepGoing, after);
    else
        return void(busy_ = false);
    if (const QString credit = translations.exportedCredit(); !credit.isEmpty())
        text += QStringLiteral("\r\n") + credit + QStringLiteral("\r\n");
    if (self.isNull() || builds_ != mine)
        return;
    busy_ = false;
    setShown(text);
    setComposed(true);
}

void ComposeWindow::copyText()
{
    activateArabicKeyboard();
    QGuiApplication::clipboard()->clear();
    // A selection is what the user means to copy; without one, the whole text.
    const QString selected = ui->Text2->textCursor().selection().toPlainText();
    QGuiApplication::clipboard()->setText(selected.isEmpty() ? shown_ : selected);
}

bool ComposeWindow::saveTo(const QString &path, bool asHtml, QString *error) const
{
    const QFont font = state_.ayaFont();
    return writeWholeFile(path, asHtml ? composedAsHtml(shown_, font.family(), font.pointSizeF()) : composedAsText(shown_), error);
}

void ComposeWindow::saveText()
{
    const ChosenSaveFile chosen = askSaveFile(this, tr("حفظ النص"),
                                              {{tr("نص"), {QStringLiteral("txt")}},
                                               {tr("صفحة ويب"), {QStringLiteral("html"), QStringLiteral("htm")}}});
    if (chosen.path.isEmpty())
        return;
    QString error;
    if (!saveTo(chosen.path, chosen.type == 1, &error))
        showMessage(this, tr("تعذر حفظ الملف، ولم يتغير أي ملف سابق بالاسم نفسه:\n%1\n%2").arg(chosen.path, error));
}

std::unique_ptr<QTextDocument> ComposeWindow::printable() const
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(state_.ayaFont());
    QTextOption option = doc->defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::WordWrap);
    doc->setDefaultTextOption(option);
    doc->setPlainText(QString(shown_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return doc;
}

void ComposeWindow::printText()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(tr("طباعة"));
    // Without a page size of its own the document takes the printer's and
    // numbers its pages.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) { printable()->print(target); });
    preview.exec();
}

} // namespace zarfan
