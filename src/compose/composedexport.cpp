#include "composedexport.h"

#include <QRegularExpression>
#include <QStringList>

namespace zarfan {

QByteArray composedAsText(const QString &text) { return text.toUtf8(); }

QByteArray composedAsHtml(const QString &text, const QString &fontFamily, double pointSize)
{
    static const QRegularExpression reference(QStringLiteral(R"(\[[^\]\r\n]*\]|\(\d+\))"));
    QString family = fontFamily;
    family.remove(u'\'').remove(u'"').remove(u';').remove(u'<').remove(u'>').remove(u'&');
    QString body;
    for (const QString &paragraph : text.split(QStringLiteral("\r\n\r\n"), Qt::SkipEmptyParts)) {
        const QString trimmed = paragraph.trimmed();
        if (trimmed.isEmpty())
            continue;
        QString html;
        qsizetype at = 0;
        for (auto it = reference.globalMatch(trimmed); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            html += trimmed.mid(at, m.capturedStart() - at).toHtmlEscaped();
            html += QStringLiteral("<span class=\"ref\">") + m.captured().toHtmlEscaped() + QStringLiteral("</span>");
            at = m.capturedEnd();
        }
        html += trimmed.mid(at).toHtmlEscaped();
        html.replace(QStringLiteral("\r\n"), QStringLiteral("<br/>"));
        body += QStringLiteral("<p>") + html + QStringLiteral("</p>\n");
    }
    const QString page = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
                                        "<html xmlns=\"http://www.w3.org/1999/xhtml\" dir=\"rtl\" lang=\"ar\">\n"
                                        "<head>\n<meta charset=\"UTF-8\"/>\n<title>زرفان</title>\n"
                                        "<style>body { font-family: '%1'; font-size: %2pt; } .ref { color: #555555; }</style>\n"
                                        "</head>\n<body>\n%3</body>\n</html>\n")
                             .arg(family, QString::number(pointSize > 0 ? pointSize : 14), body);
    return page.toUtf8();
}

} // namespace zarfan
