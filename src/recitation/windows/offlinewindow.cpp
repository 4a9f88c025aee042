#include "offlinewindow.h"

#include "ui/messages.h"
#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "recitation/offlinedownload.h"
#include "recitation/recitation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zarfan {

OfflineWindow::OfflineWindow(OfflineDownload &download, Recitation &recitation, const QString &connectionString,
                             QWidget *parent)
    : QDialog(parent), download_(download), recitation_(recitation), connection_(connectionString)
{
    setObjectName(QStringLiteral("offlineWindow"));
    setWindowTitle(tr("تنزيل للاستماع دون اتصال"));
    setLayoutDirection(Qt::RightToLeft);
    reciter_ = new QLabel(this);
    reciter_->setObjectName(QStringLiteral("offlineReciter"));
    scope_ = new QComboBox(this);
    scope_->setObjectName(QStringLiteral("offlineScope"));
    scope_->setAccessibleName(tr("ما ينزل"));
    scope_->addItems({tr("سورة"), tr("جزء"), tr("المصحف كله")});
    number_ = new QComboBox(this);
    number_->setObjectName(QStringLiteral("offlineNumber"));
    number_->setAccessibleName(tr("السورة أو الجزء"));
    start_ = new QPushButton(tr("تنزيل"), this);
    start_->setObjectName(QStringLiteral("startDownload"));
    cancel_ = new QPushButton(tr("إلغاء التنزيل"), this);
    cancel_->setObjectName(QStringLiteral("cancelDownload"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("downloadProgress"));
    bar_->setAccessibleName(tr("تقدم التنزيل"));
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("downloadState"));
    state_->setWordWrap(true);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto *form = new QFormLayout;
    form->addRow(tr("القارئ :"), reciter_);
    form->addRow(tr("تنزيل :"), scope_);
    form->addRow(tr("السورة أو الجزء :"), number_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(bar_);
    layout->addWidget(state_);
    layout->addWidget(close);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(scope_, &QComboBox::currentIndexChanged, this, &OfflineWindow::fillNumbers);
    connect(start_, &QPushButton::clicked, this, &OfflineWindow::startDownload);
    connect(cancel_, &QPushButton::clicked, &download_, &OfflineDownload::cancel);
    connect(&download_, &OfflineDownload::progress, this, &OfflineWindow::showProgress);
    connect(&download_, &OfflineDownload::finished, this, &OfflineWindow::finished);
    fillNumbers();
    showProgress();
}

void OfflineWindow::fillNumbers()
{
    number_->clear();
    if (scope_->currentIndex() == int(OfflineScope::Sura)) {
        const QStringList names = SuraTables::unmarkedNames();
        for (int k = 0; k < names.size(); ++k)
            number_->addItem(QStringLiteral("%1 %2").arg(k + 1).arg(names.at(k)), k + 1);
    } else if (scope_->currentIndex() == int(OfflineScope::Juz)) {
        for (int juz = 1; juz <= SuraTables::kJuzCount; ++juz)
            number_->addItem(QString::number(juz), juz);
    }
    number_->setEnabled(number_->count() > 0);
}

void OfflineWindow::showProgress()
{
    const int chosen = recitation_.reciterIndex();
    const bool running = download_.isRunning();
    reciter_->setText(running ? download_.reciter().name
                              : chosen >= 0 ? recitation_.reciters().at(chosen).name : tr("لم يختر قارئ"));
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
    scope_->setEnabled(!running);
    number_->setEnabled(!running && number_->count() > 0);
    if (download_.total() > 0) {
        bar_->setRange(0, download_.total());
        bar_->setValue(download_.done());
        state_->setText(download_.progressText());
    }
}

void OfflineWindow::startDownload()
{
    const int chosen = recitation_.reciterIndex();
    if (chosen < 0) {
        showMessage(this, tr("اختر قارئا أولا من \"مصادر التلاوة\""));
        return;
    }
    DataControl db;
    db.setConnectionString(connection_);
    const auto scope = OfflineScope(scope_->currentIndex());
    QString why;
    // A start that finds everything cached ends at once and says so itself.
    if (!download_.start(recitation_.reciters().at(chosen), offlineAyas(scope, number_->currentData().toInt(), db), &why)) {
        showMessage(this, why);
        showProgress();
    }
}

void OfflineWindow::finished(bool complete, const QString &message)
{
    showProgress();
    if (complete)
        state_->setText(tr("اكتمل التنزيل: ") + download_.progressText());
    else if (message.isEmpty())
        state_->setText(tr("ألغي التنزيل: ") + download_.progressText()
                        + tr("؛ ما نزل محفوظ ويكمل من حيث وقف"));
    else
        showMessage(this, message);
}

SavedRecitationsWindow::SavedRecitationsWindow(Recitation &recitation, OfflineDownload &download, QWidget *parent)
    : QDialog(parent), recitation_(recitation), download_(download)
{
    setObjectName(QStringLiteral("savedRecitationsWindow"));
    setWindowTitle(tr("التلاوات المحفوظة"));
    setLayoutDirection(Qt::RightToLeft);
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("savedRecitations"));
    table_->setAccessibleName(tr("التلاوات المحفوظة"));
    table_->setHorizontalHeaderLabels({tr("القارئ"), tr("السور الكاملة"), tr("الحجم")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    delete_ = new QPushButton(tr("حذف تلاوات القارئ"), this);
    delete_->setObjectName(QStringLiteral("deleteSavedReciter"));
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(delete_, 0, Qt::AlignLeading);
    layout->addWidget(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(delete_, &QPushButton::clicked, this, &SavedRecitationsWindow::deleteSelected);
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { delete_->setEnabled(table_->currentRow() >= 0); });
    connect(&download_, &OfflineDownload::finished, this, &SavedRecitationsWindow::fill);
    resize(520, 300);
    fill();
}

void SavedRecitationsWindow::fill()
{
    QList<int> ayas;
    for (int sura = 1; sura <= SuraTables::kSuraCount; ++sura)
        ayas.append(SuraTables::ayaCount(sura));
    QHash<QString, QString> names;
    for (const Reciter &r : knownReciters() + recitation_.reciters())
        names.insert(reciterCacheFolder(r), r.name);
    table_->setRowCount(0);
    folders_.clear();
    for (const CachedRecitation &c : cachedRecitations(ayas)) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        table_->setItem(row, 0, new QTableWidgetItem(names.value(c.folder, tr("قارئ لم يعد في مصادر التلاوة"))));
        table_->setItem(row, 1, new QTableWidgetItem(tr("%1 من %2").arg(c.completeSuras.size()).arg(SuraTables::kSuraCount)));
        table_->setItem(row, 2, new QTableWidgetItem(sizeText(c.bytes)));
        folders_.append(c.folder);
    }
    if (table_->rowCount() > 0)
        table_->setCurrentCell(0, 0);
    delete_->setEnabled(table_->currentRow() >= 0);
}

void SavedRecitationsWindow::deleteSelected()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= folders_.size())
        return;
    const QString name = table_->item(row, 0)->text();
    if (QMessageBox::question(this, tr("التلاوات المحفوظة"),
                              tr("حذف تلاوات %1 المحفوظة (%2)؟").arg(name, table_->item(row, 2)->text()))
        != QMessageBox::Yes)
        return;
    if (download_.isRunning() && reciterCacheFolder(download_.reciter()) == folders_.at(row))
        download_.cancel();
    recitation_.stop();
    if (!deleteCachedRecitation(folders_.at(row)))
        showMessage(this, tr("تعذر حذف بعض تلاوات %1 المحفوظة").arg(name));
    fill();
}

} // namespace zarfan
