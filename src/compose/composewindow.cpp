#include "composewindow.h"
#include "ui_composewindow.h"

#include "app/appcontext.h"
#include "app/keyboardlayout.h"
#include "browse/readingstate.h"
#include "browse/listingfill.h"
#include "browse/programstate.h"
#include "composer.h"

#include <QClipboard>
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
    alignRightToLeft(ui->Text2);
    setShown(QStringLiteral("يرجى الإنتظار ...") + QStringLiteral("\r\n"));

    activateArabicKeyboard();
    centreWhenShown(this);
    Adodc1.setConnectionString(state.connectionString());
    connect(ui->copy, &QAction::triggered, this, &ComposeWindow::copyText);
}

ComposeWindow::~ComposeWindow() = default;

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
    QPointer<ComposeWindow> self(this);
    EventYield yield;
    const Composer::Yield keepGoing = [&] {
        yield.maybe();
        return !self.isNull() && builds_ == mine;
    };
    QString text;
    if (state.composemode == 1)
        text = Composer::sura(Adodc1, state.composesura, plain, keepGoing);
    else if (state.composemode == 2)
        text = Composer::chosen(Adodc1, state_.chosenList().hideadd, state_.chosenList().addaya, plain, keepGoing);
    else
        return void(busy_ = false);
    if (self.isNull() || builds_ != mine)
        return;
    busy_ = false;
    setShown(text);
}

void ComposeWindow::copyText()
{
    activateArabicKeyboard();
    QGuiApplication::clipboard()->clear();
    // A selection is what the user means to copy; without one, the whole text.
    const QString selected = ui->Text2->textCursor().selection().toPlainText();
    QGuiApplication::clipboard()->setText(selected.isEmpty() ? shown_ : selected);
}

} // namespace zarfan
