#include "listingcountstext.h"

#include <QCoreApplication>

namespace zarfan {

QString listingCountsText(const ListingCounts &counts, const std::optional<SearchMatch> &match, bool keyUnknown)
{
    if (match && keyUnknown)
        return match->key == WordKey::Root ? QCoreApplication::translate("zarfan::Listingcountstext", "لا يوجد هذا الجذر") : QCoreApplication::translate("zarfan::Listingcountstext", "لا يوجد هذا الأصل");
    QString text = QCoreApplication::translate("zarfan::Listingcountstext", "عدد الآيات : %1    عدد السور : %2").arg(counts.ayas).arg(counts.suras);
    if (match) {
        text = QCoreApplication::translate("zarfan::Listingcountstext", "عدد المرات : %1    ").arg(counts.occurrences) + text;
        if (match->target == SearchTarget::Jalalayn)
            text += QCoreApplication::translate("zarfan::Listingcountstext", "    في تفسير الجلالين");
        else if (match->target == SearchTarget::Muyassar)
            text += QCoreApplication::translate("zarfan::Listingcountstext", "    في التفسير الميسر");
        else if (match->key == WordKey::Root)
            text += QCoreApplication::translate("zarfan::Listingcountstext", "    الجذر : ") + (match->shown.isEmpty() ? match->needle : match->shown);
        else if (match->key != WordKey::Letters)
            text += QCoreApplication::translate("zarfan::Listingcountstext", "    أصل الكلمة : ") + (match->shown.isEmpty() ? match->needle : match->shown);
    }
    return text;
}

} // namespace zarfan
