#pragma once

#include <QString>
#include <QStringList>

namespace zarfan {

// What the command line asks for. The program takes no arguments of its own
// besides these two; Qt's own options are taken away by QApplication.
enum class CommandLine { Run, Help, Version, Unknown };
CommandLine readCommandLine(const QStringList &arguments);

// Usage in Arabic and English: the options, the environment variables and
// where the program's files are.
QString usageText();
// "زرفان 3.0" and the build's version string, one a line.
QString versionText();

} // namespace zarfan
