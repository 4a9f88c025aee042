#include "navigatorwindow.h"
#include "ui_navigatorwindow.h"

#include "app/appcontext.h"
#include "app/keyboardlayout.h"
#include "app/mainwindow.h"
#include "browse/suratables.h"
#include "data/queries.h"

namespace zarfan {

NavigatorWindow::NavigatorWindow(MainWindow *main) : QDialog(main), ui(std::make_unique<Ui::Form7>()), main_(main)
{
    ui->setupUi(this);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    QStringList numbers, juz;
    for (int n = 1; n <= SuraTables::kSuraCount; ++n)
        numbers.append(QString::number(n));
    for (int n = 1; n <= SuraTables::kJuzCount; ++n)
        juz.append(QString::number(n));
    for (QComboBox *box : {ui->searchname, ui->searchnumber, ui->tafsercombo})
        box->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
    fillPromptCombo(ui->searchname, SuraTables::unmarkedNames(), QStringLiteral("اختر إسم السورة"));
    fillPromptCombo(ui->searchnumber, numbers, QStringLiteral("اختر رقم السورة"));
    fillPromptCombo(ui->tafsercombo, juz, QStringLiteral("اختر رقم الجزء"));

    activateArabicKeyboard();
    centreWindow(this);

    connect(ui->searchname, &QComboBox::activated, this, [this](int i) { listSura(i + 1); });
    connect(ui->searchnumber, &QComboBox::activated, this, [this](int i) { listSura(i + 1); });
    connect(ui->tafsercombo, &QComboBox::activated, this, [this](int i) { listJuz(i + 1); });
}

NavigatorWindow::~NavigatorWindow() = default;

void NavigatorWindow::reject()
{
    unloaded_ = true;
    QDialog::reject();
}

void NavigatorWindow::listSura(int sura)
{
    hide();
    main_->produceListing(query::suraOrdered(sura), qint16(0), MainWindow::Guard::AlsoFullsearch);
}

void NavigatorWindow::listJuz(int juz)
{
    hide();
    main_->produceListing(query::juzOrdered(juz), qint16(1), MainWindow::Guard::AlsoFullsearch);
}

} // namespace zarfan
