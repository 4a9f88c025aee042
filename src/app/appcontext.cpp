#include "appcontext.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QStringList>

// Resources of a static library must be registered by name.
static void registerZarfanResources() { Q_INIT_RESOURCE(zarfan); }

namespace zarfan {

void initResources() { registerZarfanResources(); }

QString programTitle() { return QStringLiteral("زرفان"); }

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

void fillPromptCombo(QComboBox *box, const QStringList &items, const QString &prompt)
{
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(prompt);
}

QFont designFont(const QString &family, double pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace zarfan
