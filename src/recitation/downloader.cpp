#include "downloader.h"

#include "audiofile.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QTimer>
#include <utility>

namespace zarfan {

RecitationDownloader::RecitationDownloader(QObject *parent) : QObject(parent) {}

RecitationDownloader::~RecitationDownloader() { cancelAll(); }

void RecitationDownloader::fetch(const QUrl &url, const QString &target)
{
    if (jobs_.contains(target))
        return;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // The body as sent, never inflated: the size limit counts what comes,
    // and a compressed flood meets it like any other (MP3 does not shrink).
    request.setRawHeader("Accept-Encoding", "identity");
    Job job;
    job.reply = network_.get(request);
    // Read as it comes, so the reply never holds more than this.
    job.reply->setReadBufferSize(256 * 1024);
    job.timer = new QTimer(this);
    job.timer->setSingleShot(true);
    jobs_.insert(target, job);
    connect(job.timer, &QTimer::timeout, this, [this, target] {
        drop(target);
        emit failed(target, tr("انقضت مهلة التحميل ولم يجب خادم التلاوة"));
    });
    connect(job.reply, &QNetworkReply::readyRead, this, [this, target] { take(target); });
    connect(job.reply, &QNetworkReply::finished, this, [this, target] { finish(target); });
    job.timer->start(timeLimitMs_);
}

void RecitationDownloader::take(const QString &target)
{
    auto it = jobs_.find(target);
    if (it == jobs_.end())
        return;
    it->body += it->reply->readAll();
    if (it->body.size() <= sizeLimit_)
        return;
    drop(target);
    emit failed(target, tr("ملف الآية أكبر من %1 م.ب فلم يحفظ؛ قد يكون عنوان القارئ خطأ").arg(sizeLimit_ / (1024 * 1024)));
}

void RecitationDownloader::drop(const QString &target)
{
    // Taken out of the table, so the body's memory goes with it.
    const Job job = jobs_.take(target);
    if (job.reply) {
        job.reply->disconnect(this);
        if (!job.reply->isFinished())
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
        return tr("وصل ملف الآية فارغا");
    if (announcedLength >= 0 && body.size() != announcedLength)
        return tr("وصل ملف الآية ناقصا؛ أعد المحاولة");
    if (contentType.startsWith(QLatin1String("text/"), Qt::CaseInsensitive))
        return tr("جواب الخادم ليس ملفا صوتيا؛ تحقق من عنوان القارئ");
    const auto byte = [&](int i) { return quint8(body.at(i)); };
    const bool id3 = body.startsWith("ID3");
    const bool frame = body.size() >= 2 && byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0;
    if (!id3 && !frame)
        return tr("جواب الخادم ليس ملفا صوتيا؛ تحقق من عنوان القارئ");
    // Walked frame by frame: a beginning like an MP3's is not a whole one.
    if (!isWholeMp3(body))
        return tr("وصل ملف الآية تالفا: ليس ملفا صوتيا كاملا؛ أعد المحاولة، وإن تكرر فتحقق من عنوان القارئ");
    return {};
}

QString RecitationDownloader::networkProblem(int error, const QString &detail)
{
    QString text;
    switch (QNetworkReply::NetworkError(error)) {
    case QNetworkReply::ContentNotFoundError:
        text = tr("ملف الآية غير موجود على خادم التلاوة؛ تحقق من عنوان القارئ");
        break;
    case QNetworkReply::HostNotFoundError:
        text = tr("لم يعثر على خادم التلاوة؛ تحقق من الاتصال بالشبكة ومن عنوان القارئ");
        break;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        text = tr("تعذر الاتصال بخادم التلاوة؛ تحقق من الاتصال بالشبكة ثم أعد المحاولة");
        break;
    case QNetworkReply::SslHandshakeFailedError:
        text = tr("تعذر الاتصال الآمن بخادم التلاوة");
        break;
    default:
        text = tr("رفض خادم التلاوة إعطاء ملف الآية");
        break;
    }
    return detail.isEmpty() ? text : text + u'\n' + detail;
}

void RecitationDownloader::finish(const QString &target)
{
    QNetworkReply *reply = jobs_.value(target).reply;
    if (!reply)
        return;
    take(target);
    if (!jobs_.contains(target))
        return; // over the size limit, told already
    QString why;
    QByteArray body;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool missing = status == 404;
    if (reply->error() != QNetworkReply::NoError) {
        why = networkProblem(reply->error(), reply->errorString());
    } else if (status != 200) {
        why = networkProblem(status == 404 ? QNetworkReply::ContentNotFoundError : QNetworkReply::UnknownContentError,
                             QStringLiteral("HTTP %1").arg(status));
    } else {
        body = std::exchange(jobs_[target].body, {});
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        why = bodyProblem(body, length.isValid() ? length.toLongLong() : -1,
                          reply->header(QNetworkRequest::ContentTypeHeader).toString());
    }
    drop(target);
    if (why.isEmpty())
        why = keep(target, body);
    if (why.isEmpty())
        emit fetched(target);
    else
        emit failed(target, why, missing);
}

QString RecitationDownloader::keep(const QString &target, const QByteArray &body)
{
    // Written beside the target and checked there, every write and the size
    // on disk; only then put in its place. (QSaveFile of Qt 6.4 renames a
    // file cut short by a full disk as if it were whole.)
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString part = target + QStringLiteral(".part");
    QFile file(part);
    bool whole = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) && file.write(body) == body.size()
        && file.flush();
    const QString error = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    file.close();
    const qint64 onDisk = QFileInfo(part).size();
    whole = whole && file.error() == QFileDevice::NoError && onDisk == body.size();
    if (whole) {
        QFile::remove(target);
        whole = QFile::rename(part, target);
    }
    if (whole)
        return {};
    QFile::remove(part);
    return tr("تعذرت كتابة ملف الآية كاملا في ذاكرة التلاوات؛ قد يكون القرص ممتلئا، فلم يحفظ منه شيء\n%1\n%2")
        .arg(target, error.isEmpty() ? QStringLiteral("%1 of %2 bytes written").arg(onDisk).arg(body.size()) : error);
}

} // namespace zarfan
