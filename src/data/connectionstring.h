#pragma once

#include <QString>

namespace zarfan {

// The three literal pieces every window joins into its connection string.
inline constexpr char16_t kConnectionHead[] =
    u"Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=kelbo7301946; Data Source= ";
inline constexpr char16_t kConnectionTail[] = u"/zarfan.zf ;Persist Security Info=False";

QString buildConnectionString(const QString &appFolder);

struct ConnectionTarget {
    QString path;      // database file, trimmed
    QString password;  // may be empty when the string names none
    bool valid = false;
};

// Reads the file path and password back out of a Jet-style connection string.
ConnectionTarget parseConnectionString(const QString &connection);

} // namespace zarfan
