#include "noteswindow.h"
#include "ui_noteswindow.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "notestext.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zarfan {

NotesWindow::NotesWindow(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    ui->Text2->setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    alignRightToLeft(ui->Text2);
    ui->Text2->setPlainText(notesText());
    resizeToDesign(this, QSize(428, 242));
    centreWhenShown(this);
    connect(ui->Command1, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->licences, &QPushButton::clicked, this, &NotesWindow::showLicences);
}

QString NotesWindow::licenceText()
{
    QString text;
    for (const char *name : {":/DATA-NOTICES.txt", ":/LICENSE"}) {
        QFile file(QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll()) + u'\n';
    }
    return text;
}

void NotesWindow::showLicences()
{
    // The notices are written in English, left to right.
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("licencesWindow"));
    dialog.setWindowTitle(tr("التراخيص وحقوق البيانات"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QPlainTextEdit(&dialog);
    text->setReadOnly(true);
    text->setLayoutDirection(Qt::LeftToRight);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(licenceText());
    text->setAccessibleName(dialog.windowTitle());
    auto *close = new QPushButton(tr("إغلاق"), &dialog);
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignLeft);
    dialog.resize(720, 520);
    centreWhenShown(&dialog);
    dialog.exec();
}

NotesWindow::~NotesWindow() = default;

} // namespace zarfan
