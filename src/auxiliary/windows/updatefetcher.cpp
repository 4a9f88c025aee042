#include "updatefetcher.h"

#include "auxiliary/updatebody.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace zarfan {

namespace {
// One manager for the program's life: deleting a manager waits for its
// transfer thread, which a server flooding headers keeps busy, so a window
// that goes must not take one with it.
QNetworkAccessManager &network()
{
    static QPointer<QNetworkAccessManager> shared;
    if (!shared)
        shared = new QNetworkAccessManager(QCoreApplication::instance());
    return *shared;
}
} // namespace

UpdateFetcher::UpdateFetcher(QObject *parent) : QObject(parent), url_(defaultUrl())
{
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (!reply_)
            return;
        abort();
        emit fetched(QString());
    });
}

void UpdateFetcher::abort()
{
    deadline_.stop();
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    if (!reply)
        return;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}


QUrl UpdateFetcher::defaultUrl()
{
    const QString overridden = qEnvironmentVariable("ZARFAN_UPDATE_URL");
    return QUrl(overridden.isEmpty() ? QStringLiteral(ZARFAN_UPDATE_URL) : overridden);
}

void UpdateFetcher::fetch()
{
    abort();
    body_.clear();
    QNetworkRequest request(url_);
    request.setTransferTimeout(timeoutMs_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    reply_ = network().get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateFetcher::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &UpdateFetcher::onFinished);
    deadline_.start(timeoutMs_);
}

bool UpdateFetcher::takeBody(QNetworkReply *reply)
{
    const qint64 room = kUpdateBodyLimit - body_.size();
    body_ += reply->read(std::max<qint64>(room, 0));
    return body_.size() >= kUpdateBodyLimit;
}

void UpdateFetcher::onReadyRead()
{
    QNetworkReply *reply = reply_;
    if (!reply || !takeBody(reply))
        return;
    // A runaway body: keep what fits and stop the transfer.
    abort();
    emit fetched(decodeUpdateBody(body_));
}

void UpdateFetcher::onFinished()
{
    QNetworkReply *reply = reply_;
    if (!reply)
        return;
    reply_ = nullptr;
    deadline_.stop();
    takeBody(reply);
    reply->deleteLater();
    // An answer with an HTTP status (a 404 page too) is shown as it came; a
    // transfer that never got one (refused, timed out) shows nothing.
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const bool complete = reply->error() == QNetworkReply::NoError
        || (answered && reply->error() != QNetworkReply::OperationCanceledError);
    emit fetched(complete ? decodeUpdateBody(body_) : QString());
}

} // namespace zarfan
