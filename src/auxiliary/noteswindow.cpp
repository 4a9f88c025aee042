#include "noteswindow.h"
#include "ui_noteswindow.h"

#include "app/appcontext.h"
#include "notestext.h"

namespace zarfan {

NotesWindow::NotesWindow(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    ui->Text2->setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    alignRightToLeft(ui->Text2);
    ui->Text2->setPlainText(notesText());
    centreWhenShown(this);
    connect(ui->Command1, &QPushButton::clicked, this, &QDialog::close);
}

NotesWindow::~NotesWindow() = default;

} // namespace zarfan
