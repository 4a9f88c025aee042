#include "fontchoice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

namespace zarfan {

std::optional<QFont> askForFont(const QFont &current, QWidget *parent)
{
    QFont shown = current;
    // The dialog lists only faces that exist; any other family it would
    // replace with its first entry.
    if (!QFontDatabase::hasFamily(current.family()))
        shown.setFamily(QFontInfo(current).family());
    QFontDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(shown);
    const QFont opened = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    if (chosen == opened)
        return std::nullopt;
    return chosen;
}

} // namespace zarfan
