#include "notestext.h"

#include <QCoreApplication>

namespace zarfan {

QString notesText()
{
    static const char *const lines[] = {
        QT_TRANSLATE_NOOP("zarfan::NotesText", "برنامج زرفان - في القرآن الكريم"),
        "",
        QT_TRANSLATE_NOOP("zarfan::NotesText", "شكر مقدم إلى كل من"),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "مشروع تنزيل (Tanzil Project) على نص القرآن الكريم وبيانات الأجزاء والصفحات، برخصة المشاع الإبداعي CC BY 3.0"),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "مجمع الملك فهد لطباعة المصحف الشريف على التفسير الميسر، ومؤلفَي تفسير الجلالين"),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "موقع تنزيل الذي ينشر التفسيرين لغير الأغراض التجارية، وجامع الفهرس الموضوعي (مجهول الرخصة)"),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "https://tanzil.net - الجذور: Quranic Arabic Corpus http://corpus.quran.com"),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "و كل من ساعد على نشر و تطوير البرنامج"),
        "",
        QT_TRANSLATE_NOOP("zarfan::NotesText", "ملاحظة :"),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "لقد تم العمل على قاعدة البيانات للوصول الى أدق صورة للقرآن الكريم ولكن لا أحد معصوم من "),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "الخطأ فإن وجدت أي مشكلة أرجو أن تقوم بإبلاغي بها بأسرع وقت ممكن للقيام بالتعديلات "),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "الضرورية"),
        "",
        QT_TRANSLATE_NOOP("zarfan::NotesText", "يرجى مراجعة التحديث بشكل دوري لمتابعة أجدد الإصدارات و "),
        QT_TRANSLATE_NOOP("zarfan::NotesText", "آخر المعلومات عن البرنامج و قاعدة البيانات"),
        "",
        QT_TRANSLATE_NOOP("zarfan::NotesText", "نرجو ممن ينتفع بهذا البرنامج أن يدعو لكل من أسهم فيه"),
    };
    QString text;
    for (const char *line : lines)
        text += (*line ? QCoreApplication::translate("zarfan::NotesText", line) : QString()) + QStringLiteral("\r\n");
    return text;
}

} // namespace zarfan
