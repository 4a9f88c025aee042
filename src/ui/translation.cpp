#include "translation.h"

#include "data/userstore.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>
#include <memory>

namespace zarfan {

namespace {

Language current = Language::Arabic;
std::unique_ptr<QTranslator> programCatalogue;
std::unique_ptr<QTranslator> qtCatalogue;

// The .ui files and some windows ask for right to left outright. In a
// left-to-right language those windows and their panes turn, while the boxes
// that show the Quran, tafsirs and translations (scroll areas) and the printed
// page keep their own direction.
class LeftToRight : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->layoutDirection() == Qt::RightToLeft && widget->testAttribute(Qt::WA_SetLayoutDirection)
                && !qobject_cast<QAbstractScrollArea *>(widget) && !widget->property("keepsRightToLeft").toBool()
                && !widget->inherits("zarfan::PageView") && !widget->inherits("zarfan::MushafView"))
                widget->setLayoutDirection(Qt::LeftToRight);
        }
        return false;
    }
};
std::unique_ptr<LeftToRight> leftToRight;

// Installs the catalogue, keeping it; an empty slot when it is not there.
void install(std::unique_ptr<QTranslator> &slot, const QString &name, const QString &folder)
{
    if (slot)
        QCoreApplication::removeTranslator(slot.get());
    slot = std::make_unique<QTranslator>();
    if (!slot->load(name, folder) || !QCoreApplication::installTranslator(slot.get()))
        slot.reset();
}

} // namespace

QString programTitle() { return QCoreApplication::translate("zarfan::Translation", "زرفان"); }

void installQtTranslation()
{
    install(qtCatalogue, QStringLiteral("qt_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString languageCode(Language language) { return language == Language::English ? QStringLiteral("en") : QStringLiteral("ar"); }

std::optional<Language> languageFromCode(QStringView code)
{
    if (code == u"ar")
        return Language::Arabic;
    if (code == u"en")
        return Language::English;
    return std::nullopt;
}

Language storedLanguage(const QString &storePath)
{
    return languageFromCode(QString::fromUtf8(UserStore::peekValue(storePath, QString::fromLatin1(kLanguageKey))))
        .value_or(Language::Arabic);
}

void applyLanguage(Language language)
{
    static const QLocale systemLocale;
    current = language;
    const QString code = languageCode(language);
    install(programCatalogue, QStringLiteral(":/i18n/zarfan_") + code, QString());
    install(qtCatalogue, QStringLiteral("qt_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const bool english = language == Language::English;
    // Arabic writes numbers as it always did; English in Western digits.
    QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedKingdom) : systemLocale);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) // the command line needs no windows
        return;
    QGuiApplication::setLayoutDirection(english ? Qt::LeftToRight : Qt::RightToLeft);
    if (english && !leftToRight) {
        leftToRight = std::make_unique<LeftToRight>();
        QCoreApplication::instance()->installEventFilter(leftToRight.get());
    } else if (!english && leftToRight) {
        QCoreApplication::instance()->removeEventFilter(leftToRight.get());
        leftToRight.reset();
    }
}

Language currentLanguage() { return current; }

} // namespace zarfan
