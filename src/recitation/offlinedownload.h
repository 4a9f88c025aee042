#pragma once

#include "playlist.h"
#include "reciter.h"

#include <QElapsedTimer>
#include <QObject>
#include <vector>

namespace zarfan {

class DataControl;
class RecitationDownloader;

// What "تنزيل للاستماع دون اتصال" keeps: a sura, a juz or the whole mushaf.
enum class OfflineScope { Sura, Juz, Mushaf };
// The ayas of a scope; a juz is looked up through the data control.
std::vector<AyaRef> offlineAyas(OfflineScope scope, int number, DataControl &data);

// Fetches a remote reciter's files into its cache folder, a few at a time,
// the basmala (aya 1:1) with every sura that has one. Whole files already
// there are skipped, so starting again resumes where it stopped; a file that
// is not whole is fetched again. A file the server does not have is skipped
// and told once at the end; any other failure (a dead server, a full disk)
// stops the whole and keeps every file that came whole.
class OfflineDownload : public QObject {
    Q_OBJECT
public:
    static constexpr int kParallel = 3;

    explicit OfflineDownload(QObject *parent = nullptr);
    RecitationDownloader &downloader() { return *downloader_; }

    // False, with why, when the reciter cannot be downloaded.
    bool start(const Reciter &reciter, const std::vector<AyaRef> &ayas, QString *why = nullptr);
    void cancel();
    bool isRunning() const { return running_; }

    const Reciter &reciter() const { return reciter_; }
    int done() const { return done_; }
    int total() const { return int(files_.size()); }
    int skipped() const { return skipped_; }
    qint64 bytes() const { return bytes_; }
    // Judged by the pace of the files fetched so far; -1 before the first.
    qint64 secondsLeft() const;
    // "12 من 286 ملفا، 1.4 م.ب، بقي نحو 3 دقائق"
    QString progressText() const;

signals:
    void progress();
    // complete: every file is cached; message: why it stopped (empty when
    // complete or cancelled).
    void finished(bool complete, const QString &message);

private:
    void next();
    void onFetched(const QString &target);
    void onFailed(const QString &target, const QString &why, bool missing);
    void end(bool complete, const QString &message);

    RecitationDownloader *downloader_;
    Reciter reciter_;
    std::vector<AyaRef> files_; // each recording once: id 0, sura and aya
    QStringList missing_;       // the ayas the server did not have
    std::size_t nextIndex_ = 0;
    int inFlight_ = 0;
    int done_ = 0;
    int skipped_ = 0;
    int fetchedNow_ = 0;
    qint64 bytes_ = 0;
    bool running_ = false;
    QElapsedTimer clock_;
};

} // namespace zarfan
