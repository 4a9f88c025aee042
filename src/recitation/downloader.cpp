#include "downloader.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>

namespace zarfan {

RecitationDownloader::RecitationDownloader(QObject *parent) : QObject(parent) {}

RecitationDownloader::~RecitationDownloader() { cancelAll(); }

void RecitationDownloader::fetch(const QUrl &url, const QString &target)
{
    if (jobs_.contains(target))
        return;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    Job job;
    job.reply = network_.get(request);
    job.timer = new QTimer(this);
    job.timer->setSingleShot(true);
    jobs_.insert(target, job);
    connect(job.timer, &QTimer::timeout, this, [this, target] {
        drop(target);
        emit failed(target, QStringLiteral("انقضت مهلة التحميل"));
    });
    connect(job.reply, &QNetworkReply::finished, this, [this, target] { finish(target); });
    job.timer->start(timeLimitMs_);
}

void RecitationDownloader::drop(const QString &target)
{
    const Job job = jobs_.take(target);
    if (job.reply) {
        job.reply->disconnect(this);
        job.reply->abort();
        job.reply->deleteLater();
    }
    delete job.timer;
}

void RecitationDownloader::cancelAll()
{
    for (const QString &target : jobs_.keys())
        drop(target);
}

QString RecitationDownloader::bodyProblem(const QByteArray &body, qint64 announcedLength, const QString &contentType)
{
    if (body.isEmpty())
        return QStringLiteral("الملف فارغ");
    if (announcedLength >= 0 && body.size() != announcedLength)
        return QStringLiteral("الملف ناقص");
    if (contentType.startsWith(QLatin1String("text/"), Qt::CaseInsensitive))
        return QStringLiteral("الجواب ليس ملفا صوتيا");
    const auto byte = [&](int i) { return quint8(body.at(i)); };
    const bool id3 = body.startsWith("ID3");
    const bool frame = body.size() >= 2 && byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0;
    if (!id3 && !frame)
        return QStringLiteral("الجواب ليس ملفا صوتيا");
    return {};
}

void RecitationDownloader::finish(const QString &target)
{
    QNetworkReply *reply = jobs_.value(target).reply;
    if (!reply)
        return;
    QString why;
    QByteArray body;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError) {
        why = reply->errorString();
    } else if (status != 200) {
        why = QStringLiteral("HTTP %1").arg(status);
    } else {
        body = reply->readAll();
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        why = bodyProblem(body, length.isValid() ? length.toLongLong() : -1,
                          reply->header(QNetworkRequest::ContentTypeHeader).toString());
    }
    drop(target);
    if (why.isEmpty()) {
        QDir().mkpath(QFileInfo(target).absolutePath());
        // Written whole or not at all.
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit())
            why = QStringLiteral("تعذرت كتابة الملف: %1").arg(target);
    }
    if (why.isEmpty())
        emit fetched(target);
    else
        emit failed(target, why);
}

} // namespace zarfan
