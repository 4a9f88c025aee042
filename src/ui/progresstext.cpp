#include "progresstext.h"

#include <QPainter>
#include <QProgressBar>
#include <QProxyStyle>
#include <QStyleOptionProgressBar>

namespace zarfan {

namespace {

class ProgressTextStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *bar = qstyleoption_cast<const QStyleOptionProgressBar *>(option);
        if (element != CE_ProgressBarLabel || !bar || !(bar->state & State_Horizontal)
            || bar->direction != Qt::RightToLeft || baseStyle()->name().compare(u"fusion", Qt::CaseInsensitive) != 0) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const QRect rect = bar->rect;
        const qint64 total = std::max<qint64>(1, qint64(bar->maximum) - bar->minimum);
        const qint64 done = std::clamp<qint64>(qint64(bar->progress) - bar->minimum, 0, total);
        const int width = int(done * rect.width() / total);
        // Right to left the bar fills from the right, unless inverted.
        const QRect filled(bar->invertedAppearance ? rect.left() : rect.right() - width + 1, rect.top(), width, rect.height());
        QTextOption centred(Qt::AlignAbsolute | Qt::AlignHCenter | Qt::AlignVCenter);
        centred.setTextDirection(Qt::RightToLeft);
        painter->save();
        painter->setClipRegion(QRegion(rect).subtracted(filled));
        painter->setPen(bar->palette.color(QPalette::Text));
        painter->drawText(rect, bar->text, centred);
        if (!filled.isEmpty()) {
            painter->setClipRect(filled);
            painter->setPen(bar->palette.color(QPalette::HighlightedText));
            painter->drawText(rect, bar->text, centred);
        }
        painter->restore();
    }
};

} // namespace

void keepProgressTextVisible(QProgressBar *bar)
{
    auto *style = new ProgressTextStyle;
    style->setParent(bar);
    bar->setStyle(style);
}

} // namespace zarfan
