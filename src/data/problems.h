#pragma once

#include <QString>
#include <functional>

namespace zarfan {

// Database trouble is told to the user once per kind of problem, not once per
// query. The windows install the reporter that shows a message box; the core
// only ever calls reportProblem().
using ProblemReporter = std::function<void(const QString &message)>;

void setProblemReporter(ProblemReporter reporter);
void reportProblem(const QString &message);
void forgetReportedProblems();

namespace problem {
QString databaseMissing(const QString &path);
QString databaseUnreadable(const QString &path);
QString databaseDamaged(const QString &detail);
QString databaseNotAFile(const QString &path);
QString databaseNoPermission(const QString &path);
QString searchTooComplex();
QString badSuraNumber(const QString &value);
} // namespace problem

} // namespace zarfan
