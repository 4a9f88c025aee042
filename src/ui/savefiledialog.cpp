#include "savefiledialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

namespace {
// The dialog shows each filter's name only; the name carries the pattern
// between left-to-right marks, so "(*.txt)" reads right in a right-to-left line.
QString filterText(const SaveFileType &type)
{
    const QString pattern = QStringLiteral("(*.%1)").arg(type.extensions.value(0));
    return type.name + QStringLiteral(" \u200E") + pattern + QStringLiteral("\u200E ") + pattern;
}
} // namespace

ChosenSaveFile completeSavePath(QString path, int chosenType, const QList<SaveFileType> &types)
{
    const QString suffix = QFileInfo(path).suffix();
    for (int t = 0; t < types.size(); ++t) {
        if (!suffix.isEmpty() && types[t].extensions.contains(suffix, Qt::CaseInsensitive))
            return {path, t};
    }
    if (suffix.isEmpty() && chosenType >= 0 && chosenType < types.size())
        path += u'.' + types[chosenType].extensions.value(0);
    return {path, chosenType};
}

ChosenSaveFile askSaveFile(QWidget *parent, const QString &title, const QList<SaveFileType> &types, const QString &suggested)
{
    QStringList filters;
    for (const SaveFileType &type : types)
        filters.append(filterText(type));
    QString filter = filters.value(0);
    const QString path = QFileDialog::getSaveFileName(parent, title, suggested, filters.join(QStringLiteral(";;")), &filter,
                                                      QFileDialog::HideNameFilterDetails | QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return {};
    const ChosenSaveFile chosen = completeSavePath(path, int(std::max(qsizetype(0), filters.indexOf(filter))), types);
    if (QFileInfo::exists(chosen.path)
        && QMessageBox::question(parent, title,
                                 QCoreApplication::translate("zarfan::Savefiledialog", "الملف %1 موجود، هل تريد استبداله؟").arg(QDir::toNativeSeparators(chosen.path)))
            != QMessageBox::Yes)
        return {};
    return chosen;
}

} // namespace zarfan
