#include "resultstextwindow.h"

#include "ui/windowsizing.h"
#include "resultstextmodel.h"

#include <QAbstractTextDocumentLayout>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QVBoxLayout>

namespace zarfan {

namespace {
// Draws an entry's HTML (the marks included), wrapped to the view's width.
class RichTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        QTextDocument doc;
        prepare(doc, option, index);
        painter->save();
        painter->translate(option.rect.topLeft());
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = option.palette;
        if (option.state & QStyle::State_Selected)
            context.palette.setColor(QPalette::Text, option.palette.color(QPalette::HighlightedText));
        doc.documentLayout()->draw(painter, context);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QTextDocument doc;
        prepare(doc, option, index);
        // The whole width: a narrower item would stand at one side in a
        // right-to-left view and miss clicks on the other.
        return QSize(int(doc.textWidth()), int(doc.size().height()));
    }

private:
    static void prepare(QTextDocument &doc, const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        doc.setDefaultFont(option.font);
        QTextOption text = doc.defaultTextOption();
        text.setTextDirection(Qt::RightToLeft);
        text.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        doc.setDefaultTextOption(text);
        doc.setHtml(index.data(Qt::DisplayRole).toString());
        const QWidget *view = option.widget;
        doc.setTextWidth(view ? qobject_cast<const QListView *>(view)->viewport()->width() - 4 : option.rect.width());
    }
};
} // namespace

ResultsTextWindow::ResultsTextWindow(ReadingState &state, QWidget *parent)
    : QWidget(parent, Qt::Window), model_(new ResultsTextModel(state, this)), view_(new QListView(this))
{
    setObjectName(QStringLiteral("resultstext"));
    setWindowTitle(QStringLiteral("النتائج مع النص"));
    setLayoutDirection(Qt::RightToLeft);
    resize(640, 480);
    view_->setObjectName(QStringLiteral("resultstextlist"));
    view_->setAccessibleName(QStringLiteral("النتائج مع النص"));
    view_->setModel(model_);
    view_->setItemDelegate(new RichTextDelegate(view_));
    view_->setWordWrap(true);
    view_->setResizeMode(QListView::Adjust);
    view_->setLayoutMode(QListView::Batched);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    model_->setMarkColours(palette().color(QPalette::Highlight).name(), palette().color(QPalette::HighlightedText).name());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_);
    centreWhenShown(this);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (!following_ && current.isValid())
            emit lineChosen(current.row());
    });
}

void ResultsTextWindow::showLine(int k)
{
    if (k < 0 || k >= model_->rowCount())
        return;
    following_ = true;
    view_->setCurrentIndex(model_->index(k));
    view_->scrollTo(model_->index(k));
    following_ = false;
}

} // namespace zarfan
