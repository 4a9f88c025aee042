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
// Why nothing may be downloaded into, listed in or deleted from the cache:
// the program's cache folder or its recitations folder is a link that
// leads elsewhere. Empty when the cache is the program's own.
QString recitationCacheProblem();

// The recording a reciter given by address plays as the basmala before a
// sura: aya 1:1, as the servers of the listed reciters keep no file of its
// own for it. Its file name in the cache is that of 1:1.
inline constexpr int kBasmalaSura = 1, kBasmalaAya = 1;

// A size as the reader reads it, in Arabic units: "850.3 ك.ب", "12.5 م.ب".
QString sizeText(qint64 bytes);

// The downloaded files of every reciter: their size in bytes, and deleting
// them. Only the program's own SSSAAA.mp3 files in the real cache count; a
// link is never followed, so nothing of the reader's can be counted or deleted.
qint64 recitationCacheSize();
bool clearRecitationCache();

// What one reciter's cache folder holds.
struct CachedRecitation {
    QString folder;
    qint64 bytes = 0;
    int files = 0;
    QList<int> completeSuras; // every aya's file is there
};
// ayasPerSura[s - 1] is the number of ayas of sura s.
QList<CachedRecitation> cachedRecitations(const QList<int> &ayasPerSura);
// Deletes the program's files of one cache folder (and the folder once empty).
bool deleteCachedRecitation(const QString &folder);

// Kept in the per-user store as JSON. An entry that cannot be read is left
// out and counted in dropped; the others are kept.
QByteArray recitersToJson(const QList<Reciter> &reciters);
// storedAt: for each reciter kept, its place in the stored list.
QList<Reciter> recitersFromJson(const QByteArray &json, int *dropped = nullptr, QList<int> *storedAt = nullptr);

// The well-known reciters of per-aya recordings offered by "إضافة من القائمة",
// read from the program's data file.
QList<Reciter> knownReciters();

} // namespace zarfan
