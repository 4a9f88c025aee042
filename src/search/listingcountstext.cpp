#include "listingcountstext.h"

namespace zarfan {

QString listingCountsText(const ListingCounts &counts, const std::optional<SearchMatch> &match, bool keyUnknown)
{
    if (match && keyUnknown)
        return match->key == WordKey::Root ? QStringLiteral("لا يوجد هذا الجذر") : QStringLiteral("لا يوجد هذا الأصل");
    QString text = QStringLiteral("عدد الآيات : %1    عدد السور : %2").arg(counts.ayas).arg(counts.suras);
    if (match) {
        text = QStringLiteral("عدد المرات : %1    ").arg(counts.occurrences) + text;
        if (match->target == SearchTarget::Jalalayn)
            text += QStringLiteral("    في تفسير الجلالين");
        else if (match->target == SearchTarget::Muyassar)
            text += QStringLiteral("    في التفسير الميسر");
        else if (match->key == WordKey::Root)
            text += QStringLiteral("    الجذر : ") + (match->shown.isEmpty() ? match->needle : match->shown);
        else if (match->key != WordKey::Letters)
            text += QStringLiteral("    أصل الكلمة : ") + (match->shown.isEmpty() ? match->needle : match->shown);
    }
    return text;
}

} // namespace zarfan
