#include "playerengine.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>

namespace zarfan {

MediaPlayerEngine::MediaPlayerEngine(QObject *parent) : PlayerEngine(parent) {}

QMediaPlayer *MediaPlayerEngine::player()
{
    if (player_)
        return player_;
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    player_->setPlaybackRate(rate_);
    const auto check = [this] {
        // Heard once the player plays and the media is ready, whichever comes last.
        if (startPending_ && player_->playbackState() == QMediaPlayer::PlayingState
            && (player_->mediaStatus() == QMediaPlayer::BufferedMedia || player_->mediaStatus() == QMediaPlayer::BufferingMedia)) {
            startPending_ = false;
            emit started();
        }
    };
    connect(player_, &QMediaPlayer::playbackStateChanged, this, check);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this, check](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            emit ended();
        else if (status == QMediaPlayer::InvalidMedia)
            emit failed(player_->errorString());
        else
            check();
    });
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString &why) { emit failed(why); });
    return player_;
}

MediaPlayerEngine::~MediaPlayerEngine() = default;

bool MediaPlayerEngine::hasOutput() const { return !QMediaDevices::audioOutputs().isEmpty(); }

void MediaPlayerEngine::play(const QUrl &file)
{
    startPending_ = true;
    player()->setSource(file);
    player_->play();
}

void MediaPlayerEngine::pause()
{
    if (player_)
        player_->pause();
}

void MediaPlayerEngine::resume() { player()->play(); }

void MediaPlayerEngine::stop()
{
    startPending_ = false;
    if (player_)
        player_->stop();
}

void MediaPlayerEngine::setRate(double rate)
{
    rate_ = rate;
    if (player_)
        player_->setPlaybackRate(rate);
}

} // namespace zarfan
