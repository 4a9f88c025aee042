#include "tajweed.h"

#include "browse/suratables.h"
#include "data/datacontrol.h"

#include <QCoreApplication>
#include <QHash>
#include <charconv>

namespace zarfan {

namespace {

using C = TajweedClass;

// Names as the data's README gives them.
constexpr std::array<TajweedRule, kTajweedRules> kRules{{
    {"hamzat_wasl", QT_TRANSLATE_NOOP("Tajweed", "همزة الوصل"), C::Silent},
    {"silent", QT_TRANSLATE_NOOP("Tajweed", "حرف لا يُنطق"), C::Silent},
    {"lam_shamsiyyah", QT_TRANSLATE_NOOP("Tajweed", "اللام الشمسية"), C::Silent},
    {"madd_2", QT_TRANSLATE_NOOP("Tajweed", "مد طبيعي (حركتان)"), C::Madd2},
    {"madd_246", QT_TRANSLATE_NOOP("Tajweed", "مد عارض أو لين (2، 4، 6)"), C::Madd246},
    {"madd_muttasil", QT_TRANSLATE_NOOP("Tajweed", "مد واجب متصل (4، 5)"), C::Madd45},
    {"madd_munfasil", QT_TRANSLATE_NOOP("Tajweed", "مد جائز منفصل (4، 5)"), C::Madd45},
    {"madd_6", QT_TRANSLATE_NOOP("Tajweed", "مد لازم (6)"), C::Madd6},
    {"ghunnah", QT_TRANSLATE_NOOP("Tajweed", "غنة"), C::Ghunna},
    {"ikhfa", QT_TRANSLATE_NOOP("Tajweed", "إخفاء"), C::Ghunna},
    {"ikhfa_shafawi", QT_TRANSLATE_NOOP("Tajweed", "إخفاء شفوي"), C::Ghunna},
    {"idghaam_ghunnah", QT_TRANSLATE_NOOP("Tajweed", "إدغام بغنة"), C::Ghunna},
    {"idghaam_no_ghunnah", QT_TRANSLATE_NOOP("Tajweed", "إدغام بغير غنة"), C::IdghamNoGhunna},
    {"idghaam_shafawi", QT_TRANSLATE_NOOP("Tajweed", "إدغام شفوي"), C::Ghunna},
    {"idghaam_mutajanisayn", QT_TRANSLATE_NOOP("Tajweed", "إدغام متجانسين"), C::IdghamNoGhunna},
    {"idghaam_mutaqaribayn", QT_TRANSLATE_NOOP("Tajweed", "إدغام متقاربين"), C::IdghamNoGhunna},
    {"iqlab", QT_TRANSLATE_NOOP("Tajweed", "إقلاب"), C::Ghunna},
    {"qalqalah", QT_TRANSLATE_NOOP("Tajweed", "قلقلة"), C::Qalqala},
}};

struct ClassText {
    const char *name, *description;
    QRgb light, dark;
};
// Each colour at least 3:1 against the light, paper and dark pages.
constexpr ClassText kClasses[kTajweedClasses] = {
    {QT_TRANSLATE_NOOP("Tajweed", "حروف لا تُنطق"),
     QT_TRANSLATE_NOOP("Tajweed", "تُكتب ولا تُقرأ في وصل الكلام."), 0x777777, 0x9E9E9E},
    {QT_TRANSLATE_NOOP("Tajweed", "مد حركتين"), QT_TRANSLATE_NOOP("Tajweed", "يُمد حرف المد حركتين."), 0xC25E00, 0xFFA94D},
    {QT_TRANSLATE_NOOP("Tajweed", "مد 2 أو 4 أو 6"),
     QT_TRANSLATE_NOOP("Tajweed", "يُمد حركتين أو أربعًا أو ستًّا عند الوقف على الكلمة."), 0x9A7400, 0xE0C350},
    {QT_TRANSLATE_NOOP("Tajweed", "مد 4 أو 5"),
     QT_TRANSLATE_NOOP("Tajweed", "يُمد أربع حركات أو خمسًا لهمزة بعد حرف المد."), 0xD01C1C, 0xFF6B6B},
    {QT_TRANSLATE_NOOP("Tajweed", "مد 6"), QT_TRANSLATE_NOOP("Tajweed", "يُمد ست حركات لزومًا."), 0xA3125E, 0xF472B6},
    {QT_TRANSLATE_NOOP("Tajweed", "غنة وإخفاء وإدغام بغنة وإقلاب"),
     QT_TRANSLATE_NOOP("Tajweed", "صوت من الخيشوم مقداره حركتان."), 0x16803C, 0x4ADE80},
    {QT_TRANSLATE_NOOP("Tajweed", "إدغام بغير غنة"),
     QT_TRANSLATE_NOOP("Tajweed", "يدخل الحرف في الذي بعده فيُنطقان حرفًا واحدًا بلا غنة."), 0x7048B0, 0xB794F6},
    {QT_TRANSLATE_NOOP("Tajweed", "قلقلة"),
     QT_TRANSLATE_NOOP("Tajweed", "يُنطق الحرف الساكن بنبرة مهتزة حتى يُسمع."), 0x1763CC, 0x60A5FA},
};

QString tr(const char *text) { return QCoreApplication::translate("Tajweed", text); }

const std::vector<TajweedSpan> &none()
{
    static const std::vector<TajweedSpan> empty;
    return empty;
}

int toInt(std::string_view s)
{
    int value = -1;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

} // namespace

const std::array<TajweedRule, kTajweedRules> &tajweedRules() { return kRules; }

int tajweedRuleIndex(QStringView key)
{
    for (int i = 0; i < kTajweedRules; ++i) {
        if (key == QLatin1StringView(kRules[i].key))
            return i;
    }
    return -1;
}

QString tajweedRuleName(int rule) { return rule >= 0 && rule < kTajweedRules ? tr(kRules[rule].arabic) : QString(); }

QString tajweedClassName(TajweedClass cls) { return tr(kClasses[int(cls)].name); }

QString tajweedClassDescription(TajweedClass cls) { return tr(kClasses[int(cls)].description); }

QStringList tajweedClassRules(TajweedClass cls)
{
    QStringList names;
    for (int i = 0; i < kTajweedRules; ++i) {
        if (kRules[i].cls == cls)
            names.append(tajweedRuleName(i));
    }
    return names;
}

QColor tajweedColour(TajweedClass cls, const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5;
    return QColor::fromRgb(dark ? kClasses[int(cls)].dark : kClasses[int(cls)].light);
}

QColor currentAyaTint(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Base), mark = palette.color(QPalette::Highlight);
    constexpr double kShare = 0.12;
    return QColor::fromRgbF(float(base.redF() * (1 - kShare) + mark.redF() * kShare),
                            float(base.greenF() * (1 - kShare) + mark.greenF() * kShare),
                            float(base.blueF() * (1 - kShare) + mark.blueF() * kShare));
}

bool TajweedSpans::load(const QString &connection)
{
    byAya_.assign(SuraTables::kAyaTotal + 1, {});
    count_ = 0;
    DataControl dc;
    dc.setConnectionString(connection);
    dc.setRecordSource(QStringLiteral("SELECT ayaId, spans FROM Tajweed"));
    if (!dc.refresh())
        return false;
    QHash<QByteArray, int> rules;
    for (int i = 0; i < kTajweedRules; ++i)
        rules.insert(QByteArray(kRules[i].key), i);
    for (; !dc.eof(); dc.moveNext()) {
        const int aya = toInt(dc.fieldBytes(0));
        if (aya < 1 || aya > SuraTables::kAyaTotal)
            continue;
        const std::string_view packed = dc.fieldBytes(1);
        std::size_t at = 0;
        while (at < packed.size()) {
            std::size_t end = packed.find(';', at);
            if (end == std::string_view::npos)
                end = packed.size();
            const std::string_view one = packed.substr(at, end - at);
            at = end + 1;
            const std::size_t b1 = one.find(' '), b2 = one.find(' ', b1 == std::string_view::npos ? b1 : b1 + 1);
            if (b2 == std::string_view::npos)
                continue;
            const TajweedSpan span{toInt(one.substr(0, b1)), toInt(one.substr(b1 + 1, b2 - b1 - 1)),
                                   rules.value(QByteArray::fromRawData(one.data() + b2 + 1, qsizetype(one.size() - b2 - 1)), -1)};
            // A damaged span is left out rather than drawn at a wrong place.
            if (span.start < 0 || span.end <= span.start || span.rule < 0)
                continue;
            byAya_[aya].push_back(span);
            ++count_;
        }
    }
    return count_ > 0;
}

const std::vector<TajweedSpan> &TajweedSpans::of(int ayaId) const
{
    return ayaId > 0 && ayaId < int(byAya_.size()) ? byAya_[ayaId] : none();
}

std::vector<TajweedSpan> TajweedSpans::within(int ayaId, int from, int to) const
{
    std::vector<TajweedSpan> spans;
    for (const TajweedSpan &s : of(ayaId)) {
        if (s.end > from && s.start < to)
            spans.push_back({std::max(s.start, from), std::min(s.end, to), s.rule});
    }
    return spans;
}

QString TajweedSpans::names(int ayaId, int from, int to) const
{
    QStringList names;
    for (const TajweedSpan &s : within(ayaId, from, to)) {
        const QString name = tajweedRuleName(s.rule);
        if (!names.contains(name))
            names.append(name);
    }
    return names.join(QStringLiteral(" — "));
}

} // namespace zarfan
