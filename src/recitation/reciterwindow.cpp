#include "reciterwindow.h"

#include "ui/messages.h"
#include "recitation.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zarfan {

ReciterWindow::ReciterWindow(Recitation &recitation, QWidget *parent) : QDialog(parent), recitation_(recitation)
{
    setObjectName(QStringLiteral("reciterWindow"));
    setWindowTitle(QStringLiteral("مصادر التلاوة"));
    setLayoutDirection(Qt::RightToLeft);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("reciters"));
    list_->setAccessibleName(QStringLiteral("القراء"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("reciterName"));
    name_->setAccessibleName(QStringLiteral("اسم القارئ"));
    source_ = new QLineEdit(this);
    source_->setObjectName(QStringLiteral("reciterSource"));
    source_->setAccessibleName(QStringLiteral("المجلد أو عنوان التلاوة"));
    source_->setPlaceholderText(QStringLiteral("https://example.org/recitations/Name_64kbps/{sura}{aya}.mp3"));
    auto *folder = new QPushButton(QStringLiteral("اختيار مجلد..."), this);
    folder->setObjectName(QStringLiteral("chooseFolder"));
    add_ = new QPushButton(QStringLiteral("إضافة"), this);
    add_->setObjectName(QStringLiteral("addReciter"));
    save_ = new QPushButton(QStringLiteral("حفظ التعديل"), this);
    save_->setObjectName(QStringLiteral("saveReciter"));
    remove_ = new QPushButton(QStringLiteral("حذف"), this);
    remove_->setObjectName(QStringLiteral("removeReciter"));
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("القارئ :"), name_);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(source_, 1);
    sourceRow->addWidget(folder);
    form->addRow(QStringLiteral("المجلد أو العنوان :"), sourceRow);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {add_, save_, remove_})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(close);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(folder, &QPushButton::clicked, this, &ReciterWindow::chooseFolder);
    connect(list_, &QListWidget::currentRowChanged, this, &ReciterWindow::showSelected);
    connect(add_, &QPushButton::clicked, this, [this] { accepted(-1); });
    connect(save_, &QPushButton::clicked, this, [this] { accepted(list_->currentRow()); });
    connect(remove_, &QPushButton::clicked, this, [this] {
        const int row = list_->currentRow();
        QList<Reciter> all = recitation_.reciters();
        if (row < 0 || row >= all.size())
            return;
        all.removeAt(row);
        recitation_.setReciters(all);
        fill();
    });
    fill();
}

void ReciterWindow::fill()
{
    list_->clear();
    for (const Reciter &r : recitation_.reciters())
        list_->addItem(r.name + QStringLiteral(" — ") + r.source);
    list_->setCurrentRow(recitation_.reciterIndex());
    showSelected();
}

void ReciterWindow::showSelected()
{
    const int row = list_->currentRow();
    const bool any = row >= 0 && row < recitation_.reciters().size();
    save_->setEnabled(any);
    remove_->setEnabled(any);
    if (any) {
        name_->setText(recitation_.reciters().at(row).name);
        source_->setText(recitation_.reciters().at(row).source);
    }
}

bool ReciterWindow::accepted(int replacing)
{
    const Reciter reciter{name_->text().trimmed(), source_->text().trimmed()};
    if (const QString why = reciterProblem(reciter); !why.isEmpty()) {
        showMessage(this, why);
        return false;
    }
    QList<Reciter> all = recitation_.reciters();
    if (replacing >= 0 && replacing < all.size())
        all[replacing] = reciter;
    else
        all.append(reciter);
    recitation_.setReciters(all);
    fill();
    list_->setCurrentRow(replacing >= 0 ? replacing : int(all.size()) - 1);
    return true;
}

void ReciterWindow::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("مجلد التلاوة"), source_->text());
    if (!folder.isEmpty())
        source_->setText(folder);
}

} // namespace zarfan
