#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

namespace zarfan {

// One GET of the update notice. The body arrives as text (decoded), capped at
// kUpdateBodyLimit; a transfer that fails or times out yields "".
class UpdateFetcher : public QObject {
    Q_OBJECT
public:
    explicit UpdateFetcher(QObject *parent = nullptr);

    static QUrl defaultUrl();
    void setUrl(const QUrl &url) { url_ = url; }
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    const QUrl &url() const { return url_; }

    // Starts a fetch; a fetch still running is abandoned.
    void fetch();
    // Stops a running fetch at once; nothing is emitted.
    void abort();
    bool isRunning() const { return !reply_.isNull(); }

signals:
    void fetched(const QString &text);

private:
    bool takeBody(QNetworkReply *reply);
    void onReadyRead();
    void onFinished();

    QTimer deadline_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
    QUrl url_;
    int timeoutMs_ = 60000; // for the whole transfer, not only a pause in it
};

} // namespace zarfan
