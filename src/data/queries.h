#pragma once

#include <QString>

namespace zarfan::query {

// The catalogue of fixed statements. Values go in as decimal text, unquoted.
inline QString ayaById(const QString &id) { return QStringLiteral("SELECT *  FROM Ayat where Ayat.ID like ") + id; }
inline QString sura(const QString &sura) { return QStringLiteral("SELECT *  FROM Ayat where Ayat.soraano like ") + sura; }
inline QString suraOrdered(int sura)
{
    return QStringLiteral("SELECT *  FROM Ayat where Ayat.soraano like ") + QString::number(sura) + QStringLiteral(" order by ID");
}
inline QString juzOrdered(int juz)
{
    return QStringLiteral("SELECT *  FROM Ayat where Ayat.chapterNO like ") + QString::number(juz) + QStringLiteral(" order by ID");
}
inline QString topLevelTopics()
{
    return QStringLiteral("SELECT *  FROM topics_name where Mother_Topic like '0'") + QStringLiteral("order by ID");
}
inline QString childTopics(const QString &topic)
{
    return QStringLiteral("SELECT *  FROM topics_name where Mother_Topic like ") + topic + QStringLiteral(" order by ID");
}
inline QString topicReferences(const QString &topic)
{
    return QStringLiteral("SELECT *  FROM topic_Ayat where Topic_No like ") + topic + QStringLiteral(" order by ID");
}

} // namespace zarfan::query
