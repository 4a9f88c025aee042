#include "resultstextwindow.h"

#include "ui/windowsizing.h"
#include "resultstextmodel.h"

#include "ui/htmlitems.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListView>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>

namespace zarfan {

namespace {
// Draws an entry's HTML (the marks included), wrapped to the view's width.
// A row's height is estimated from its length until the row is first drawn,
// so that a long listing is laid out without laying out every text.
class RichTextDelegate : public QStyledItemDelegate {
public:
    explicit RichTextDelegate(QListView *view) : QStyledItemDelegate(view), view_(view)
    {
        relayout_.setSingleShot(true);
        relayout_.setInterval(0);
        // Heights found while drawing are given to the view once per round.
        QObject::connect(&relayout_, &QTimer::timeout, view, [this] { emit sizeHintChanged(QModelIndex()); });
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const bool selected = option.state & QStyle::State_Selected;
        QTextDocument doc;
        prepare(doc, option, index, selected ? ResultsTextModel::SelectedHtmlRole : int(Qt::DisplayRole));
        const int height = int(doc.size().height());
        int &known = heights_[key(index)];
        if (known != height) {
            known = height;
            relayout_.start();
        }
        paintHtmlItem(painter, option, plain, doc, true);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int width = textWidth(option);
        if (width != width_) {
            heights_.clear();
            width_ = width;
        }
        // The whole width: a narrower item would stand at one side in a
        // right-to-left view and miss clicks on the other.
        const auto known = heights_.constFind(key(index));
        if (known != heights_.cend())
            return QSize(width, *known);
        const QFontMetricsF metrics(option.font);
        if (charWidth_ <= 0 || font_ != option.font) {
            font_ = option.font;
            const QString sample = QStringLiteral("بسم الله الرحمن الرحيم الحمد لله رب العالمين");
            charWidth_ = metrics.horizontalAdvance(sample) / double(sample.size());
        }
        const double chars = double(index.data(Qt::AccessibleTextRole).toString().size());
        const int lines = std::max(1, int(std::ceil(chars * charWidth_ / std::max(1, width - 8))));
        return QSize(width, int(lines * metrics.lineSpacing()) + 8);
    }

private:
    // A row's text decides its height: the reference and aya as shown.
    static QString key(const QModelIndex &index) { return index.data(Qt::AccessibleTextRole).toString(); }

    int textWidth(const QStyleOptionViewItem &option) const
    {
        return view_ ? view_->viewport()->width() - 4 : option.rect.width();
    }

    void prepare(QTextDocument &doc, const QStyleOptionViewItem &option, const QModelIndex &index, int role) const
    {
        layOutHtmlItem(doc, option.font, index.data(role).toString(), textWidth(option));
    }

    QListView *view_;
    mutable QHash<QString, int> heights_;
    mutable int width_ = -1;
    mutable double charWidth_ = 0;
    mutable QFont font_;
    mutable QTimer relayout_;
};
} // namespace

ResultsTextWindow::ResultsTextWindow(ReadingState &state, QWidget *parent)
    : QWidget(parent, Qt::Window), model_(new ResultsTextModel(state, this)), view_(new QListView(this))
{
    setObjectName(QStringLiteral("resultstext"));
    setWindowTitle(tr("النتائج مع النص"));
    setLayoutDirection(Qt::RightToLeft);
    resize(640, 480);
    view_->setObjectName(QStringLiteral("resultstextlist"));
    view_->setAccessibleName(tr("النتائج مع النص"));
    view_->setModel(model_);
    view_->setItemDelegate(new RichTextDelegate(view_));
    view_->setWordWrap(true);
    view_->setResizeMode(QListView::Adjust);
    // In one pass: the heights are estimates, quick to lay out. In batches,
    // each relayout (heights found while drawing) put the view back near the
    // top, and paging walked the rows not yet laid out for minutes.
    view_->setLayoutMode(QListView::SinglePass);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setUniformItemSizes(false);
    // Ctrl+C and "نسخ" copy the chosen entries as plain text.
    auto *copy = new QAction(tr("نسخ"), view_);
    copy->setObjectName(QStringLiteral("resultstextcopy"));
    view_->addAction(copy);
    view_->installEventFilter(this);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &ResultsTextWindow::copySelected);
    model_->setMarkColours(palette().color(QPalette::Highlight).name(), palette().color(QPalette::HighlightedText).name());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_);
    centreWhenShown(this);
    // A refill leaves no current line: the main window's is taken again.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { showLine(line_); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (!following_ && current.isValid())
            emit lineChosen(current.row());
    });
}

bool ResultsTextWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The view's own copy would take the HTML of one entry.
    if (watched == view_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copySelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsTextWindow::copySelected()
{
    QList<int> lines;
    for (const QModelIndex &index : view_->selectionModel()->selectedIndexes())
        lines.append(index.row());
    if (lines.isEmpty() && view_->currentIndex().isValid())
        lines.append(view_->currentIndex().row());
    std::sort(lines.begin(), lines.end());
    if (lines.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(model_->plainText(lines));
}

void ResultsTextWindow::showLine(int k)
{
    line_ = k;
    if (k < 0 || k >= model_->rowCount())
        return;
    following_ = true;
    view_->setCurrentIndex(model_->index(k));
    view_->scrollTo(model_->index(k));
    following_ = false;
}

} // namespace zarfan
