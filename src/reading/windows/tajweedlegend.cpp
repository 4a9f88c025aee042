#include "tajweedlegend.h"
#include "ui_tajweedlegend.h"

#include "reading/windows/tajweedcolours.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

namespace zarfan {

namespace {

// The first word of the pages on which a rule of the class applies.
QString exampleOf(const QList<PrintedPage> &pages, const TajweedSpans &spans, TajweedClass cls)
{
    for (const PrintedPage &page : pages) {
        for (const PrintedLine &line : page.lines) {
            for (const PrintedItem &item : line.items) {
                if (item.start < 0)
                    continue;
                const qsizetype blank = item.text.indexOf(u' ');
                const int end = item.start + int(blank < 0 ? item.text.size() : blank);
                for (const TajweedSpan &s : spans.within(item.ayaId, item.start, end)) {
                    if (tajweedRules()[s.rule].cls == cls)
                        return item.text.left(end - item.start);
                }
            }
        }
    }
    return {};
}

} // namespace

TajweedLegend::TajweedLegend(TajweedColours &colours, QWidget *parent)
    : QDialog(parent), colours_(colours), ui(std::make_unique<Ui::TajweedLegend>())
{
    ui->setupUi(this);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(ui->classes, &QListWidget::currentRowChanged, this, [this](int row) { colours_.showOnly(row); });
}

TajweedLegend::~TajweedLegend() = default;

void TajweedLegend::refresh(const QList<PrintedPage> &pages)
{
    const int row = ui->classes->currentRow();
    {
        const QSignalBlocker block(ui->classes);
        ui->classes->clear();
        for (int c = 0; c < kTajweedClasses; ++c) {
            const auto cls = TajweedClass(c);
            const QColor colour = tajweedColour(cls, palette());
            QPixmap swatch(28, 28);
            swatch.fill(colour);
            const QString example = exampleOf(pages, colours_.spans(), cls);
            QStringList lines{tajweedClassName(cls) + QStringLiteral(" (") + tajweedClassRules(cls).join(QCoreApplication::translate("zarfan::List", "، ")) + u')',
                              tajweedClassDescription(cls)};
            if (!example.isEmpty())
                lines.append(tr("مثال من الصفحة: %1").arg(example));
            auto *item = new QListWidgetItem(QIcon(swatch), lines.join(u'\n'), ui->classes);
            item->setData(Qt::UserRole, colour);
        }
        ui->classes->setCurrentRow(row);
    }
}

void TajweedLegend::hideEvent(QHideEvent *event)
{
    // Closed, every colour shows again.
    colours_.showOnly(-1);
    ui->classes->setCurrentRow(-1);
    QDialog::hideEvent(event);
}

} // namespace zarfan
