#include "reciterwindow.h"

#include "ui/messages.h"
#include "recitation/recitation.h"

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
    setWindowTitle(tr("مصادر التلاوة"));
    setLayoutDirection(Qt::RightToLeft);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("reciters"));
    list_->setAccessibleName(tr("القراء"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("reciterName"));
    name_->setAccessibleName(tr("اسم القارئ"));
    source_ = new QLineEdit(this);
    source_->setObjectName(QStringLiteral("reciterSource"));
    source_->setAccessibleName(tr("المجلد أو عنوان التلاوة"));
    source_->setPlaceholderText(QStringLiteral("https://example.org/recitations/Name_64kbps/{sura}{aya}.mp3"));
    auto *folder = new QPushButton(tr("اختيار مجلد..."), this);
    folder->setObjectName(QStringLiteral("chooseFolder"));
    add_ = new QPushButton(tr("إضافة"), this);
    add_->setObjectName(QStringLiteral("addReciter"));
    save_ = new QPushButton(tr("حفظ التعديل"), this);
    save_->setObjectName(QStringLiteral("saveReciter"));
    remove_ = new QPushButton(tr("حذف"), this);
    remove_->setObjectName(QStringLiteral("removeReciter"));
    fromList_ = new QPushButton(tr("إضافة من القائمة"), this);
    fromList_->setObjectName(QStringLiteral("addFromList"));
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto *form = new QFormLayout;
    form->addRow(tr("القارئ :"), name_);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(source_, 1);
    sourceRow->addWidget(folder);
    form->addRow(tr("المجلد أو العنوان :"), sourceRow);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {fromList_, add_, save_, remove_})
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
    connect(fromList_, &QPushButton::clicked, this, &ReciterWindow::chooseFromList);
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
    const int chosen = recitation_.reciterIndex();
    if (replacing >= 0 && replacing < all.size())
        all[replacing] = reciter;
    else
        all.append(reciter);
    recitation_.setReciters(all);
    // The edited reciter is no longer found by its old name and source.
    if (replacing >= 0 && replacing == chosen)
        recitation_.setReciterIndex(chosen);
    fill();
    list_->setCurrentRow(replacing >= 0 ? replacing : int(all.size()) - 1);
    return true;
}

void ReciterWindow::chooseFromList()
{
    const QList<Reciter> known = knownReciters();
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("knownReciters"));
    dialog.setWindowTitle(tr("إضافة من القائمة"));
    dialog.setLayoutDirection(Qt::RightToLeft);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("knownReciterList"));
    list->setAccessibleName(tr("قراء معروفون"));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const Reciter &r : known) {
        auto *item = new QListWidgetItem(r.name, list);
        item->setToolTip(r.source);
    }
    list->setCurrentRow(0);
    auto *note = new QLabel(tr("تسمع تلاوة هؤلاء عبر الشبكة، وتحفظ كل آية بعد سماعها أو بـ\"تنزيل للاستماع دون اتصال\""), &dialog);
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("إضافة"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("إلغاء"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(list, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    dialog.resize(420, 420);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QList<Reciter> all = recitation_.reciters();
    int first = -1;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isSelected())
            continue;
        const Reciter &r = known.at(row);
        int at = -1;
        for (int k = 0; k < all.size() && at < 0; ++k)
            at = all.at(k).source == r.source ? k : -1;
        if (at < 0) {
            all.append(r);
            at = int(all.size()) - 1;
        }
        if (first < 0)
            first = at;
    }
    if (first < 0)
        return;
    recitation_.setReciters(all);
    recitation_.setReciterIndex(first);
    fill();
}

void ReciterWindow::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("مجلد التلاوة"), source_->text());
    if (!folder.isEmpty())
        source_->setText(folder);
}

} // namespace zarfan
