#pragma once

#include <QString>
#include <optional>

namespace zarfan {

// The program's fixed title, as message boxes show it.
QString programTitle();

// Qt's own texts (standard dialogs, buttons, context menus) in Arabic alone,
// from the system's Qt translations; left in English where they are not installed.
void installQtTranslation();

// The interface's languages. Arabic is the source text of every string, so it
// needs no catalogue; the others are read from :/i18n/zarfan_<code>.qm. Qt's
// own texts (standard dialogs, buttons, context menus) come from the system's
// Qt catalogue qt_<code>, left in English where it is not installed.
enum class Language { Arabic, English };
QString languageCode(Language language);
std::optional<Language> languageFromCode(QStringView code);
// The language kept with the reader's settings in the store at the path;
// Arabic when none was chosen, whatever the system's language.
Language storedLanguage(const QString &storePath);
inline const char *kLanguageKey = "language";
// Installs the program's and Qt's catalogues for the language, lays the
// windows out in its direction and writes numbers in its digits. May be
// called again to change language (windows made later follow).
void applyLanguage(Language language);
Language currentLanguage();

} // namespace zarfan
