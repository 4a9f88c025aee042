#include "composewindow.h"
#include "ui_composewindow.h"

#include "app/appcontext.h"
#include "app/keyboardlayout.h"
#include "app/mainwindow.h"
#include "browse/listingfill.h"
#include "browse/programstate.h"
#include "composer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>

namespace zarfan {

ComposeWindow::ComposeWindow(MainWindow *main) : ActivatedDialog(main), ui(std::make_unique<Ui::Form5>()), main_(main)
{
    ui->setupUi(this);
    layout()->setMenuBar(ui->menubar);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    ui->Text2->setFont(designFont(QStringLiteral("Tahoma"), 9.75));
    setShown(QStringLiteral("يرجى الإنتظار ...") + QStringLiteral("\r\n"));

    activateArabicKeyboard();
    centreWindow(this);
    Adodc1.setConnectionString(main->connectionString());
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
    const bool plain = main_->withoutDiacritics();
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
        text = Composer::chosen(Adodc1, main_->chosenList().hideadd, main_->chosenList().addaya, plain, keepGoing);
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
    QGuiApplication::clipboard()->setText(shown_);
}

} // namespace zarfan
