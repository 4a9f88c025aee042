#include "fontchoice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

namespace zarfan {

namespace {
// The face's own name for a font's weight and slant ("Bold", "Bold Italic"):
// the dialog looks a style up by its name, and the generic name it makes of
// a weight (translated, too) matches none of the face's, so a bold font
// would open as "Regular".
QString faceStyle(const QFont &font)
{
    const QString family = font.family();
    QString best;
    int distance = 100000;
    for (const QString &style : QFontDatabase::styles(family)) {
        // A face without a slanted style still shows the weight.
        const int d = std::abs(QFontDatabase::weight(family, style) - font.weight())
            + (QFontDatabase::italic(family, style) != font.italic() ? 10000 : 0);
        if (d < distance) {
            best = style;
            distance = d;
        }
    }
    return best;
}
} // namespace

std::optional<QFont> askForFont(const QFont &current, QWidget *parent)
{
    QFont shown = current;
    // The dialog lists only faces that exist; any other family it would
    // replace with its first entry.
    if (!QFontDatabase::hasFamily(current.family()))
        shown.setFamily(QFontInfo(current).family());
    if (const QString style = faceStyle(shown); !style.isEmpty())
        shown.setStyleName(style);
    QFontDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(shown);
    const QFont opened = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QFont chosen = dialog.selectedFont();
    if (chosen == opened)
        return std::nullopt;
    // What the reader left as it opened stays exactly as it was: the family
    // drawn through a substitute, the fractional size. Weight and slant say
    // the style, as the settings file keeps it.
    if (chosen.family() == opened.family())
        chosen.setFamily(current.family());
    if (chosen.pointSize() == opened.pointSize())
        chosen.setPointSizeF(current.pointSizeF());
    if (chosen.weight() == opened.weight() && chosen.italic() == opened.italic()) {
        chosen.setWeight(current.weight());
        chosen.setItalic(current.italic());
    }
    chosen.setStyleName(QString());
    return chosen;
}

} // namespace zarfan
