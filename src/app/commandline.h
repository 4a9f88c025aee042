#pragma once

#include <QString>
#include <QStringList>

#include "ui/translation.h"

namespace zarfan {

// What the command line asks for. The program takes no arguments of its own
// besides --help (-h), --version and --lang ar|en; Qt's own options (-platform, -style, ...)
// are let through for QApplication to take away. Anything else is Unknown,
// which is known before any display is needed.
enum class CommandLine { Run, Help, Version, Unknown };
CommandLine readCommandLine(const QStringList &arguments);
// Where the first argument that is neither the program's nor Qt's stands; -1 when none.
qsizetype unknownArgumentAt(const QStringList &arguments);
// The language --lang asks for in this run; none when not given.
std::optional<Language> languageAsked(const QStringList &arguments);
// What is written when the command line is refused: the argument, then usage.
QString refusalText(const QStringList &arguments);

// Usage in Arabic and English: the options, the environment variables and
// where the program's files are.
QString usageText();
// "زرفان 3.0" and the build's version string, one a line.
QString versionText();

} // namespace zarfan
