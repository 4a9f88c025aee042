#pragma once

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

class QNetworkReply;
class QTimer;

namespace zarfan {

// Fetches recitation files into the cache, never blocking the window. Only
// a whole audio file is kept: an error page, a truncated body or anything
// that is not MP3 leaves nothing behind.
class RecitationDownloader : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultTimeLimitMs = 30000;
    // No aya's recording comes near this; an endless body is cut off here.
    static constexpr qint64 kDefaultSizeLimit = 20 * 1024 * 1024;

    explicit RecitationDownloader(QObject *parent = nullptr);
    ~RecitationDownloader() override;

    void setTimeLimit(int ms) { timeLimitMs_ = ms; }
    void setSizeLimit(qint64 bytes) { sizeLimit_ = bytes; }
    // Starts fetching unless the file is already being fetched.
    void fetch(const QUrl &url, const QString &target);
    bool isFetching(const QString &target) const { return jobs_.contains(target); }
    void cancelAll();

    // Why the body is not a usable MP3 file, or empty when it is.
    static QString bodyProblem(const QByteArray &body, qint64 announcedLength, const QString &contentType);
    // A network failure in Arabic, the technical text on its own line.
    static QString networkProblem(int error, const QString &detail);

signals:
    void fetched(const QString &target);
    // missing: the server says it has no such file (HTTP 404).
    void failed(const QString &target, const QString &why, bool missing = false);

private:
    struct Job {
        QNetworkReply *reply = nullptr;
        QTimer *timer = nullptr;
        QByteArray body;
    };
    void take(const QString &target);
    // Puts a checked body in its place; why not, or empty.
    static QString keep(const QString &target, const QByteArray &body);
    void finish(const QString &target);
    void drop(const QString &target);

    QNetworkAccessManager network_;
    QHash<QString, Job> jobs_;
    int timeLimitMs_ = kDefaultTimeLimitMs;
    qint64 sizeLimit_ = kDefaultSizeLimit;
};

} // namespace zarfan
