#include "offlinedownload.h"

#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "audiofile.h"
#include "downloader.h"
#include "playlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSet>
#include <QUrl>

namespace zarfan {

std::vector<AyaRef> offlineAyas(OfflineScope scope, int number, DataControl &data)
{
    if (scope == OfflineScope::Juz)
        return ayasOf(data, QStringLiteral("SELECT ID, soraano, ayaano, chapterNO, pageno FROM Ayat where chapterNO = %1 order by ID").arg(number));
    std::vector<AyaRef> out;
    const int first = scope == OfflineScope::Sura ? number : 1;
    const int last = scope == OfflineScope::Sura ? number : SuraTables::kSuraCount;
    int id = 0;
    for (int sura = 1; sura <= last; ++sura) {
        for (int aya = 1; aya <= SuraTables::ayaCount(sura); ++aya) {
            ++id;
            if (sura >= first)
                out.push_back({id, sura, aya});
        }
    }
    return out;
}

OfflineDownload::OfflineDownload(QObject *parent) : QObject(parent), downloader_(new RecitationDownloader(this))
{
    connect(downloader_, &RecitationDownloader::fetched, this, &OfflineDownload::onFetched);
    connect(downloader_, &RecitationDownloader::failed, this, &OfflineDownload::onFailed);
}

bool OfflineDownload::start(const Reciter &reciter, const std::vector<AyaRef> &ayas, QString *why)
{
    QString problem = reciterProblem(reciter);
    if (problem.isEmpty() && !reciter.isRemote())
        problem = tr("تلاوة هذا القارئ في مجلد على هذا الجهاز؛ تسمع دون اتصال بلا تنزيل");
    if (problem.isEmpty() && ayas.empty())
        problem = tr("لا آيات في ما اخترت تنزيله");
    if (problem.isEmpty())
        problem = recitationCacheProblem();
    if (!problem.isEmpty()) {
        if (why)
            *why = problem;
        return false;
    }
    cancel();
    reciter_ = reciter;
    files_.clear();
    QSet<int> taken;
    const auto add = [&](int sura, int aya) {
        if (!taken.contains(sura * 1000 + aya)) {
            taken.insert(sura * 1000 + aya);
            files_.push_back({0, sura, aya});
        }
    };
    for (const AyaRef &a : ayas) {
        if (a.aya == 1 && a.sura != 1 && a.sura != 9)
            add(kBasmalaSura, kBasmalaAya);
        add(a.sura, a.aya);
    }
    missing_.clear();
    nextIndex_ = 0;
    inFlight_ = done_ = skipped_ = fetchedNow_ = 0;
    bytes_ = 0;
    running_ = true;
    clock_.start();
    next();
    return true;
}

void OfflineDownload::next()
{
    const QString folder = reciterCacheFolder(reciter_);
    while (running_ && inFlight_ < kParallel && nextIndex_ < files_.size()) {
        const AyaRef aya = files_.at(nextIndex_++);
        const QString target = QDir(folder).filePath(ayaFileName(aya.sura, aya.aya));
        if (isWholeMp3File(target)) {
            ++done_;
            ++skipped_;
            bytes_ += QFileInfo(target).size();
            continue;
        }
        QFile::remove(target); // cut short or garbled: fetched again
        ++inFlight_;
        downloader_->fetch(QUrl(ayaLocation(reciter_, aya.sura, aya.aya)), target);
    }
    emit progress();
    if (!running_ || inFlight_ > 0 || nextIndex_ < files_.size())
        return;
    if (missing_.isEmpty())
        end(true, {});
    else
        end(false, tr("انتهى التنزيل ناقصا: %1 من الملفات ليست على خادم التلاوة فتُركت، ونزل الباقي: %2")
                       .arg(missing_.size())
                       .arg(missing_.join(QCoreApplication::translate("zarfan::List", "، "))));
}

void OfflineDownload::onFetched(const QString &target)
{
    if (!running_)
        return;
    --inFlight_;
    ++done_;
    ++fetchedNow_;
    bytes_ += QFileInfo(target).size();
    next();
}

void OfflineDownload::onFailed(const QString &target, const QString &why, bool missing)
{
    if (!running_)
        return;
    const QString name = QFileInfo(target).fileName();
    const AyaRef aya{0, name.left(3).toInt(), name.mid(3, 3).toInt()};
    if (missing) {
        // One file the server lacks holds up none of the others.
        --inFlight_;
        missing_.append(ayaCaption(aya));
        next();
        return;
    }
    end(false, tr("توقف التنزيل عند الآية %1؛ ما اكتمل من الملفات محفوظ، وتكمله بالتنزيل مرة أخرى\n%2")
                   .arg(ayaCaption(aya), why));
}

void OfflineDownload::cancel()
{
    if (running_)
        end(false, {});
}

void OfflineDownload::end(bool complete, const QString &message)
{
    running_ = false;
    inFlight_ = 0;
    downloader_->cancelAll();
    emit finished(complete, message);
}

qint64 OfflineDownload::secondsLeft() const
{
    if (fetchedNow_ == 0 || !clock_.isValid())
        return -1;
    const qint64 left = total() - done_;
    return left * clock_.elapsed() / fetchedNow_ / 1000;
}

QString OfflineDownload::progressText() const
{
    QString text = tr("%1 من %2 ملفا، %3").arg(done_).arg(total()).arg(sizeText(bytes_));
    if (const qint64 s = secondsLeft(); s >= 0 && done_ < total())
        text += s < 60 ? tr("، بقي أقل من دقيقة") : tr("، بقي نحو %1 دقيقة").arg((s + 59) / 60);
    return text;
}

} // namespace zarfan
