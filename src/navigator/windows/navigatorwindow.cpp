#include "navigatorwindow.h"
#include "ui_navigatorwindow.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "ui/keyboardlayout.h"
#include "state/readingstate.h"
#include "browse/suratables.h"
#include "data/queries.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace zarfan {

NavigatorWindow::NavigatorWindow(ReadingState &state, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Form7>()), state_(state)
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
    fillPromptCombo(ui->searchname, SuraTables::unmarkedNames(), tr("اختر إسم السورة"));
    fillPromptCombo(ui->searchnumber, numbers, tr("اختر رقم السورة"));
    fillPromptCombo(ui->tafsercombo, juz, tr("اختر رقم الجزء"));

    activateArabicKeyboard();
    centreWhenShown(this);
    // Only an item chosen from a list starts a listing, not Enter on typed text.
    for (QComboBox *box : {ui->searchname, ui->searchnumber, ui->tafsercombo}) {
        box->installEventFilter(this);
        if (box->lineEdit())
            box->lineEdit()->installEventFilter(this);
    }

    const auto onChoice = [this](QComboBox *box, void (NavigatorWindow::*list)(int)) {
        connect(box, &QComboBox::activated, this, [this, list](int i) {
            if (!leavingBox_)
                (this->*list)(i + 1);
        });
    };
    onChoice(ui->searchname, &NavigatorWindow::listSura);
    onChoice(ui->searchnumber, &NavigatorWindow::listSura);
    onChoice(ui->tafsercombo, &NavigatorWindow::listJuz);
}

NavigatorWindow::~NavigatorWindow() = default;

void NavigatorWindow::reject()
{
    unloaded_ = true;
    QDialog::reject();
}

void NavigatorWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape puts the window away with its choices, as choosing an entry does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool NavigatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    // An editable box picks the item that matches its typed text when it
    // loses the focus (Tab, Escape, the close box): typing alone lists
    // nothing.
    if (event->type() == QEvent::FocusOut && !leavingBox_ && qobject_cast<QComboBox *>(watched)) {
        const QScopedValueRollback<bool> leaving(leavingBox_, true);
        QCoreApplication::sendEvent(watched, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void NavigatorWindow::listSura(int sura)
{
    hide();
    state_.produceListing({query::suraOrdered(sura), qint16(0), ReadingState::Guard::AlsoFullsearch});
}

void NavigatorWindow::listJuz(int juz)
{
    hide();
    state_.produceListing({query::juzOrdered(juz), qint16(1), ReadingState::Guard::AlsoFullsearch});
}

} // namespace zarfan
