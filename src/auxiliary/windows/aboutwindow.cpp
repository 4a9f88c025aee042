#include "aboutwindow.h"
#include "ui_aboutwindow.h"

#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "noteswindow.h"
#include "updatewindow.h"

namespace zarfan {

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::Form2>())
{
    ui->setupUi(this);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    for (QLabel *title : {ui->Label1, ui->Label5})
        title->setFont(designFont(QStringLiteral("Tahoma"), 14.25));
    // No person is named: the program is credited to its developers.
    ui->Label2->setText(ui->Label2->text() + tr(" فريق تطوير زرفان"));
    ui->Text3->setText(QStringLiteral(ZARFAN_CONTACT));
    ui->Text1->setText(UpdateWindow::websiteUrl());
    // The maker's site; the data's sources are credited in the notes.
    ui->Text2->setText(UpdateWindow::websiteUrl());
    resizeToDesign(this, QSize(435, 190));
    centreWhenShown(this);
    connect(ui->Command1, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->Command2, &QPushButton::clicked, this, &AboutWindow::openNotes);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::openNotes()
{
    NotesWindow notes(this);
    notes.exec();
}

} // namespace zarfan
