#include "fonts.h"

#include "data/settingsfile.h"

#include <QFontDatabase>
#include <QStringList>

namespace zarfan {

void installFontSubstitutions()
{
    const QStringList arabicFaces = {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri"),
                                     QStringLiteral("Noto Sans Arabic"), QStringLiteral("KacstOne"),
                                     QStringLiteral("DejaVu Sans")};
    for (const char *face : {"Tahoma", "MS Sans Serif"}) {
        const QString name = QString::fromLatin1(face);
        if (!QFontDatabase::hasFamily(name))
            QFont::insertSubstitutions(name, arabicFaces);
    }
}

QFont designFont(const QString &family, double pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

QFont withSavedFont(QFont font, const QString &appFolder)
{
    const SettingsRead saved = readSettings(appFolder);
    if (saved.name && (QFontDatabase::hasFamily(*saved.name) || !QFont::substitutes(*saved.name).isEmpty()))
        font.setFamily(*saved.name);
    if (saved.size)
        font.setPointSizeF(*saved.size);
    font.setItalic(saved.italic);
    font.setBold(saved.bold);
    return font;
}

} // namespace zarfan
