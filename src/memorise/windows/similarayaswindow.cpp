#include "similarayaswindow.h"

#include "search/arabicfolding.h"
#include "search/foldedtext.h"
#include "state/readingstate.h"

#include "ui/htmlitems.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

namespace {

constexpr int kHtmlRole = Qt::UserRole + 1;

// The words as the folded text counts them: pause marks are not words.
QStringList shownWords(const QString &text)
{
    QStringList out;
    for (const QString &w : text.split(u' ', Qt::SkipEmptyParts))
        if (!std::all_of(w.begin(), w.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; }))
            out.append(w);
    return out;
}

// Draws an entry's HTML wrapped to the list's width.
class HtmlDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        QTextDocument doc;
        prepare(doc, option, index);
        paintHtmlItem(painter, option, plain, doc, false);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QTextDocument doc;
        prepare(doc, option, index);
        return QSize(int(doc.textWidth()), int(doc.size().height()));
    }

private:
    static void prepare(QTextDocument &doc, const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        const auto *view = qobject_cast<const QListWidget *>(option.widget);
        layOutHtmlItem(doc, option.font, index.data(kHtmlRole).toString(), view ? view->viewport()->width() - 4 : option.rect.width());
    }
};

} // namespace

QString similarEntryHtml(const QString &text, const SimilarAya &e, const QString &runStyle, const QString &partStyle)
{
    const QStringList words = shownWords(text);
    QStringList out;
    for (int i = 0; i < words.size(); ++i) {
        const QString w = words.at(i).toHtmlEscaped();
        if (i >= e.start && i < e.start + e.shared)
            out.append(QStringLiteral("<span style=\"%1\">%2</span>").arg(runStyle, w));
        else if (i == e.start - 1 || i == e.start + e.shared)
            out.append(QStringLiteral("<span style=\"%1\"><u>%2</u></span>").arg(partStyle, w));
        else
            out.append(w);
    }
    return out.join(u' ');
}

QString similarEntrySpoken(const QString &text, const SimilarAya &e)
{
    const QStringList words = shownWords(text);
    QString spoken = QCoreApplication::translate("zarfan::SimilarAyasWindow", "يشترك في %1 كلمات : %2").arg(e.shared).arg(words.mid(e.start, e.shared).join(u' '));
    QStringList parting;
    if (e.start > 0 && e.start - 1 < words.size())
        parting.append(QCoreApplication::translate("zarfan::SimilarAyasWindow", "قبلها : ") + words.at(e.start - 1));
    if (e.start + e.shared < words.size())
        parting.append(QCoreApplication::translate("zarfan::SimilarAyasWindow", "بعدها : ") + words.at(e.start + e.shared));
    if (!parting.isEmpty())
        spoken += QCoreApplication::translate("zarfan::SimilarAyasWindow", " ، ") + parting.join(QCoreApplication::translate("zarfan::SimilarAyasWindow", " ، "));
    return spoken;
}

SimilarAyasWindow::SimilarAyasWindow(ReadingState &state, const FoldedText &folded, const SimilarAyas &similar,
                                     const std::vector<QString> &texts, QWidget *parent)
    : QWidget(parent, Qt::Window), state_(state), folded_(folded), similar_(similar), texts_(texts),
      heading_(new QLabel(this)), list_(new QListWidget(this)),
      toResults_(new QPushButton(tr("عرض في النتائج"), this))
{
    setObjectName(QStringLiteral("similarayas"));
    setWindowTitle(tr("الآيات المتشابهة"));
    setLayoutDirection(Qt::RightToLeft);
    resize(640, 480);
    heading_->setObjectName(QStringLiteral("similarheading"));
    list_->setObjectName(QStringLiteral("similarlist"));
    list_->setAccessibleName(tr("الآيات المتشابهة"));
    list_->setItemDelegate(new HtmlDelegate(list_));
    list_->setWordWrap(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setFont(state_.ayaFont());
    heading_->setBuddy(list_);
    toResults_->setObjectName(QStringLiteral("similartoresults"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(list_);
    layout->addWidget(toResults_);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { chooseEntry(list_->row(item)); });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { chooseEntry(list_->row(item)); });
    connect(toResults_, &QPushButton::clicked, this, &SimilarAyasWindow::listInResults);
}

void SimilarAyasWindow::showAya(int ayaId)
{
    list_->clear();
    entries_.clear();
    const int k = folded_.indexOfId(ayaId);
    if (k < 0) {
        heading_->setText(tr("لا آية حالية: اختر آية ثم اطلب الآيات المتشابهة."));
        toResults_->setEnabled(false);
        return;
    }
    entries_ = similar_.of(k);
    const QString line = folded_.record(k).line;
    heading_->setText(entries_.empty() ? tr("لا آيات متشابهة مع %1.").arg(line)
                                       : tr("الآيات المتشابهة مع %1 : %2").arg(line).arg(entries_.size()));
    const QString runStyle = QStringLiteral("background-color:%1;color:%2;")
                                 .arg(palette().color(QPalette::Highlight).name(), palette().color(QPalette::HighlightedText).name());
    const QString partStyle = QStringLiteral("color:#c0392b;");
    for (const SimilarAya &e : entries_) {
        const QString &text = texts_.at(std::size_t(e.row));
        const QString ref = folded_.record(e.row).line;
        auto *item = new QListWidgetItem(ref + u' ' + text, list_);
        item->setData(kHtmlRole, QStringLiteral("<b>%1</b>&nbsp;&nbsp;").arg(ref.toHtmlEscaped())
                                     + similarEntryHtml(text, e, runStyle, partStyle));
        item->setData(Qt::AccessibleTextRole, ref + u' ' + text + tr(" ، ") + similarEntrySpoken(text, e));
        item->setData(Qt::AccessibleDescriptionRole, similarEntrySpoken(text, e));
    }
    toResults_->setEnabled(!entries_.empty());
    if (!entries_.empty())
        list_->setCurrentRow(0);
}

void SimilarAyasWindow::chooseEntry(int index)
{
    if (index < 0 || index >= int(entries_.size()))
        return;
    state_.chooseAya(folded_.record(entries_[std::size_t(index)].row));
}

void SimilarAyasWindow::listInResults()
{
    if (entries_.empty())
        return;
    QStringList ids;
    auto records = std::make_shared<std::vector<ResultRecord>>();
    for (const SimilarAya &e : entries_) {
        records->push_back(folded_.record(e.row));
        ids.append(QString::number(folded_.id(e.row)));
    }
    ReadingState::Request request(QStringLiteral("SELECT * FROM Ayat where ID in (") + ids.join(u',') + u')', qint16(1),
                                  ReadingState::Guard::AllayaasearchOnly);
    request.records = std::move(records);
    state_.produceListing(request);
}

} // namespace zarfan
