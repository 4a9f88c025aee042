#pragma once

#include <QString>
#include <QStringList>

namespace zarfan {

// The earlier searches to offer while a search is typed: those that hold
// what is typed, however it is spelt, in the history's order.
QStringList offeredHistory(const QStringList &history, const QString &typed);

} // namespace zarfan
