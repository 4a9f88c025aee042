#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace zarfan {

// A reciter: a name and where the per-aya files are, either a local folder
// holding SSSAAA.mp3 files or an address template with {sura} and {aya}.
struct Reciter {
    QString name;
    QString source;

    bool isRemote() const;
    bool operator==(const Reciter &) const = default;
};

// SSSAAA.mp3, three digits each; aya 0 names the sura's basmala file.
QString ayaFileName(int sura, int aya);

// Where the file of an aya is: a local path or an address.
QString ayaLocation(const Reciter &reciter, int sura, int aya);

// Empty when the reciter can be used; otherwise what is wrong with it.
QString reciterProblem(const Reciter &reciter);

// The per-user cache folder of a reciter's downloaded files.
QString reciterCacheFolder(const Reciter &reciter);
QString recitationCacheRoot();

// The downloaded files of every reciter: their size in bytes, and deleting them.
qint64 recitationCacheSize();
bool clearRecitationCache();

// Kept in the per-user store as JSON.
QByteArray recitersToJson(const QList<Reciter> &reciters);
QList<Reciter> recitersFromJson(const QByteArray &json);

} // namespace zarfan
