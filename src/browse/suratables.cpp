#include "suratables.h"

#include <QCoreApplication>
#include <cmath>

namespace zarfan {

namespace {
const char16_t *const kNames[114] = {
    u"الفاتحة",
    u"البقرة",
    u"آل عمران",
    u"النساء",
    u"المائدة",
    u"الأنعام",
    u"الأعراف",
    u"الأنفال",
    u"التوبة",
    u"يونس",
    u"هود",
    u"يوسف",
    u"الرعد",
    u"إبراهيم",
    u"الحجر",
    u"النحل",
    u"الإسراء",
    u"الكهف",
    u"مريم",
    u"طه",
    u"الأنبياء",
    u"الحج",
    u"المؤمنون",
    u"النور",
    u"الفرقان",
    u"الشعراء",
    u"النمل",
    u"القصص",
    u"العنكبوت",
    u"الروم",
    u"لقمان",
    u"السجدة",
    u"الأحزاب",
    u"سبأ",
    u"فاطر",
    u"يس",
    u"الصافات",
    u"صـ",
    u"الزمر",
    u"غافر",
    u"فصلت",
    u"الشورى",
    u"الزخرف",
    u"الدخان",
    u"الجاثية",
    u"الأحقاف",
    u"محمد",
    u"الفتح",
    u"الحجرات",
    u"قـ",
    u"الذاريات",
    u"الطور",
    u"النجم",
    u"القمر",
    u"الرحمن",
    u"الواقعة",
    u"الحديد",
    u"المجادلة",
    u"الحشر",
    u"الممتحنة",
    u"الصف",
    u"الجمعة",
    u"المنافقون",
    u"التغابن",
    u"الطلاق",
    u"التحريم",
    u"الملك",
    u"القلم",
    u"الحاقة",
    u"المعارج",
    u"نوح",
    u"الجن",
    u"المزّمِّل",
    u"المدّثر",
    u"القيامة",
    u"الإنسان",
    u"المرسلات",
    u"النبأ",
    u"النازعات",
    u"عبس",
    u"التكوير",
    u"الإنفطار",
    u"المطففين",
    u"الانشقاق",
    u"البروج",
    u"الطارق",
    u"الأعلى",
    u"الغاشية",
    u"الفجر",
    u"البلد",
    u"الشمس",
    u"الليل",
    u"الضحى",
    u"الشرح",
    u"التين",
    u"العلق",
    u"القدر",
    u"البينة",
    u"الزلزلة",
    u"العاديات",
    u"القارعة",
    u"التكاثر",
    u"العصر",
    u"الهُمَزَة",
    u"الفيل",
    u"قريش",
    u"الماعون",
    u"الكوثر",
    u"الكافرون",
    u"النصر",
    u"المسد",
    u"الإخلاص",
    u"الفلق",
    u"الناس",
};

const short kAyaCounts[114] = {
    7, 286, 200, 176, 120, 165, 206, 75, 129, 109,
    123, 111, 43, 52, 99, 128, 111, 110, 98, 135,
    112, 78, 118, 64, 77, 227, 93, 88, 69, 60,
    34, 30, 73, 54, 45, 83, 182, 88, 75, 85,
    54, 53, 89, 59, 37, 35, 38, 29, 18, 45,
    60, 49, 62, 55, 78, 96, 29, 22, 24, 13,
    14, 11, 11, 18, 12, 12, 30, 52, 52, 44,
    28, 28, 20, 56, 40, 31, 50, 40, 46, 42,
    29, 19, 36, 25, 22, 17, 19, 26, 30, 20,
    15, 21, 11, 8, 8, 19, 5, 8, 8, 11,
    11, 8, 3, 9, 5, 4, 7, 3, 6, 3,
    5, 4, 5, 6,
};

const char *const kMeccan = QT_TRANSLATE_NOOP("zarfan::SuraTables", "مكية");
const char *const kMedinan = QT_TRANSLATE_NOOP("zarfan::SuraTables", "مدنية");

bool isMedinan(int sura)
{
    switch (sura) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 8:
    case 9:
    case 13:
    case 22:
    case 24:
    case 33:
    case 47:
    case 48:
    case 49:
    case 55:
    case 56:
    case 57:
    case 58:
    case 59:
    case 60:
    case 61:
    case 62:
    case 63:
    case 64:
    case 65:
    case 66:
    case 76:
    case 98:
    case 99:
    case 110:
        return true;
    default:
        return false;
    }
}
} // namespace

QString SuraTables::name(int sura)
{
    return sura >= 1 && sura <= kSuraCount ? QString::fromUtf16(kNames[sura - 1]) : QString();
}

QString SuraTables::reference(int sura, const QString &aya) { return name(sura) + QStringLiteral(" : ") + aya; }

QString SuraTables::unmarkedName(int sura)
{
    switch (sura) {
    case 73:
        return QStringLiteral("المزمل");
    case 74:
        return QStringLiteral("المدثر");
    case 104:
        return QStringLiteral("الهمزة");
    default:
        return name(sura);
    }
}

QString SuraTables::type(int sura)
{
    if (sura < 1 || sura > kSuraCount)
        return QString();
    return QCoreApplication::translate("zarfan::SuraTables", isMedinan(sura) ? kMedinan : kMeccan);
}

int SuraTables::ayaCount(int sura)
{
    return sura >= 1 && sura <= kSuraCount ? kAyaCounts[sura - 1] : 0;
}

int SuraTables::numberFromText(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(value);
    return rounded >= 1 && rounded <= kSuraCount ? int(rounded) : 0;
}

QStringList SuraTables::unmarkedNames()
{
    QStringList names;
    for (int n = 1; n <= kSuraCount; ++n)
        names.append(unmarkedName(n));
    return names;
}

} // namespace zarfan
