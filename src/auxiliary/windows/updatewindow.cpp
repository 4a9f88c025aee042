#include "updatewindow.h"
#include "ui_updatewindow.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "ui/messages.h"
#include "auxiliary/updatebody.h"
#include "updatefetcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace zarfan {

UpdateWindow::UpdateWindow(QWidget *parent)
    : ActivatedDialog(parent), ui(std::make_unique<Ui::Form4>()), fetcher_(new UpdateFetcher(this))
{
    ui->setupUi(this);
    layout()->setMenuBar(ui->menubar);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    alignRightToLeft(ui->Text1);
    centreWhenShown(this);
    connect(ui->ok, &QAction::triggered, this, &QDialog::close);
    connect(ui->note, &QAction::triggered, this, &UpdateWindow::showNote);
    connect(ui->gotoweb, &QAction::triggered, this, &UpdateWindow::openWebsite);
    connect(fetcher_, &UpdateFetcher::fetched, this, [this](const QString &text) {
        busy_ = false;
        ui->Text1->setPlainText(presentableUpdateText(text));
    });
}

UpdateWindow::~UpdateWindow() { fetcher_->abort(); }

void UpdateWindow::done(int result)
{
    // A slow or hostile server is left at once.
    fetcher_->abort();
    busy_ = false;
    ActivatedDialog::done(result);
}

QString UpdateWindow::noteText()
{
    return tr("في حال كان نص التحديث غريبا أو فارغ فيعود السبب  لأحد هذه النقاط , 1- لم تتصل بالإنترنت , 2- موقع التحديث مغلق ");
}

QString UpdateWindow::websiteUrl() { return QStringLiteral(ZARFAN_WEBSITE_URL); }

void UpdateWindow::activated()
{
    busy_ = true;
    fetcher_->fetch();
}

void UpdateWindow::showNote() { showMessage(this, noteText()); }

void UpdateWindow::openWebsite() { QDesktopServices::openUrl(QUrl(websiteUrl())); }

} // namespace zarfan
