#include "ayalistswindow.h"

#include "ui/translation.h"
#include "ui/messages.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace zarfan {

AyaListsWindow::AyaListsWindow(NotesStore &store, std::function<std::vector<ListAya>()> picked, QWidget *parent)
    : QDialog(parent), store_(store), picked_(std::move(picked))
{
    setObjectName(QStringLiteral("ayaLists"));
    setWindowTitle(tr("قوائم الآيات"));
    lists_ = new QListWidget(this);
    lists_->setObjectName(QStringLiteral("lists"));
    lists_->setAccessibleName(tr("القوائم"));
    ayas_ = new QListWidget(this);
    ayas_->setObjectName(QStringLiteral("listAyas"));
    ayas_->setAccessibleName(tr("آيات القائمة"));
    const auto button = [this](const char *name, const QString &text, void (AyaListsWindow::*slot)(), bool needsList) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        if (needsList)
            needList_.append(b);
        return b;
    };
    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(button("create", tr("قائمة جديدة"), &AyaListsWindow::createList, false));
    listButtons->addWidget(button("rename", tr("إعادة التسمية"), &AyaListsWindow::renameList, true));
    listButtons->addWidget(button("removeList", tr("حذف القائمة"), &AyaListsWindow::removeList, true));
    auto *ayaButtons = new QHBoxLayout;
    ayaButtons->addWidget(button("add", tr("إضافة الآيات المحددة"), &AyaListsWindow::addPicked, true));
    ayaButtons->addWidget(button("removeAya", tr("إزالة"), &AyaListsWindow::removeAya, true));
    ayaButtons->addWidget(button("up", tr("تقديم"), &AyaListsWindow::moveUp, true));
    ayaButtons->addWidget(button("down", tr("تأخير"), &AyaListsWindow::moveDown, true));
    auto *useButtons = new QHBoxLayout;
    useButtons->addWidget(button("show", tr("عرض القائمة"), &AyaListsWindow::showList, true));
    useButtons->addWidget(button("compose", tr("تأليف"), &AyaListsWindow::composeList, true));
    // Each list under a caption of its own, which a screen reader reaches it by.
    const auto caption = [this](const char *name, const QString &text, QListWidget *list) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setBuddy(list);
        return label;
    };
    auto *grid = new QGridLayout(this);
    grid->addWidget(caption("listsCaption", tr("القوائم"), lists_), 0, 0);
    grid->addWidget(lists_, 1, 0);
    grid->addLayout(listButtons, 2, 0);
    grid->addWidget(caption("listAyasCaption", tr("آيات القائمة"), ayas_), 0, 1);
    grid->addWidget(ayas_, 1, 1);
    grid->addLayout(ayaButtons, 2, 1);
    grid->addLayout(useButtons, 3, 1);
    connect(lists_, &QListWidget::currentRowChanged, this, [this] { reloadAyas(); });
    reloadLists(0);
    resize(560, 380);
}

qint64 AyaListsWindow::currentList() const
{
    const int row = lists_->currentRow();
    return row >= 0 && row < int(shownLists_.size()) ? shownLists_[std::size_t(row)].id : 0;
}

void AyaListsWindow::selectList(qint64 id)
{
    for (int i = 0; i < int(shownLists_.size()); ++i) {
        if (shownLists_[std::size_t(i)].id == id)
            lists_->setCurrentRow(i);
    }
}

void AyaListsWindow::reloadLists(qint64 select)
{
    shownLists_ = store_.lists();
    const QSignalBlocker quiet(lists_);
    lists_->clear();
    for (const NamedList &l : shownLists_)
        lists_->addItem(l.name);
    if (!shownLists_.empty())
        lists_->setCurrentRow(0);
    selectList(select);
    reloadAyas();
}

void AyaListsWindow::reloadAyas(int select)
{
    shownAyas_ = currentList() ? store_.listAyas(currentList()) : std::vector<ListAya>();
    ayas_->clear();
    for (const ListAya &a : shownAyas_)
        ayas_->addItem(AyaRange{a.sura, a.aya, a.aya}.text());
    if (!shownAyas_.empty())
        ayas_->setCurrentRow(std::clamp(select, 0, int(shownAyas_.size()) - 1));
    updateButtons();
}

void AyaListsWindow::updateButtons()
{
    for (QPushButton *b : needList_)
        b->setEnabled(currentList() != 0);
}

bool AyaListsWindow::reportFailure(bool ok)
{
    if (!ok)
        showMessage(this, tr("تعذر حفظ التغيير:\n%1").arg(store_.lastError()));
    return !ok;
}

void AyaListsWindow::createList()
{
    bool confirmed = false;
    const QString name = QInputDialog::getText(this, tr("قائمة جديدة"), tr("اسم القائمة"),
                                               QLineEdit::Normal, QString(), &confirmed).simplified();
    if (!confirmed || name.isEmpty())
        return;
    for (const NamedList &l : shownLists_) {
        if (l.name == name) {
            showMessage(this, tr("توجد قائمة بهذا الاسم"));
            return;
        }
    }
    const qint64 id = store_.createList(name);
    if (!reportFailure(id != 0))
        reloadLists(id);
}

void AyaListsWindow::renameList()
{
    const qint64 list = currentList();
    if (!list)
        return;
    bool confirmed = false;
    const QString name = QInputDialog::getText(this, tr("إعادة التسمية"), tr("اسم القائمة"),
                                               QLineEdit::Normal, lists_->currentItem()->text(), &confirmed).simplified();
    if (!confirmed || name.isEmpty() || name == lists_->currentItem()->text())
        return;
    if (!reportFailure(store_.renameList(list, name)))
        reloadLists(list);
}

void AyaListsWindow::removeList()
{
    const qint64 list = currentList();
    if (!list)
        return;
    if (QMessageBox::question(this, programTitle(), tr("هل تريد حذف القائمة «%1»؟").arg(lists_->currentItem()->text()))
        != QMessageBox::Yes)
        return;
    if (!reportFailure(store_.removeList(list)))
        reloadLists(0);
}

void AyaListsWindow::addPicked()
{
    const qint64 list = currentList();
    const std::vector<ListAya> ayas = picked_ ? picked_() : std::vector<ListAya>();
    if (!list || ayas.empty())
        return;
    if (!reportFailure(store_.addToList(list, ayas)))
        reloadAyas(ayas_->count());
}

void AyaListsWindow::removeAya()
{
    const int row = ayas_->currentRow();
    if (row < 0 || row >= int(shownAyas_.size()))
        return;
    if (!reportFailure(store_.removeFromList(currentList(), shownAyas_[std::size_t(row)])))
        reloadAyas(row);
}

void AyaListsWindow::move(int by)
{
    const int row = ayas_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= int(shownAyas_.size()))
        return;
    if (!reportFailure(store_.moveInList(currentList(), row, to)))
        reloadAyas(to);
}

void AyaListsWindow::showList()
{
    QList<int> ids;
    for (const ListAya &a : shownAyas_)
        ids.append(ayaIdOf(a.sura, a.aya));
    if (!ids.isEmpty())
        emit listShown(ids);
}

void AyaListsWindow::composeList()
{
    QStringList ids, lines;
    for (const ListAya &a : shownAyas_) {
        ids.append(QString::number(ayaIdOf(a.sura, a.aya)));
        lines.append(AyaRange{a.sura, a.aya, a.aya}.text());
    }
    if (!ids.isEmpty())
        emit listComposed(ids, lines);
}

} // namespace zarfan
