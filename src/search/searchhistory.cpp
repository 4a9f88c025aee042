#include "searchhistory.h"

#include "arabicfolding.h"

namespace zarfan {

QStringList offeredHistory(const QStringList &history, const QString &typed)
{
    const QString folded = foldArabic(typed);
    QStringList offered;
    if (folded.isEmpty())
        return offered;
    for (const QString &earlier : history) {
        if (earlier != typed && foldArabic(earlier).contains(folded))
            offered.append(earlier);
    }
    return offered;
}

} // namespace zarfan
