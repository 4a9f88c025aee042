#pragma once

#include <QObject>
#include <QUrl>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace zarfan {

// What plays one file at a time. The recitation drives it through this seam
// so the sequencing runs the same without a sound card.
class PlayerEngine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool hasOutput() const = 0;
    virtual void play(const QUrl &file) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;
    virtual void setRate(double rate) = 0;

signals:
    void started();  // the file is being heard
    void ended();    // the file played to its end
    void failed(const QString &why);
};

// Qt Multimedia's player on the system's default audio output.
class MediaPlayerEngine : public PlayerEngine {
    Q_OBJECT
public:
    explicit MediaPlayerEngine(QObject *parent = nullptr);
    ~MediaPlayerEngine() override;
    bool hasOutput() const override;
    void play(const QUrl &file) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void setRate(double rate) override;
    // Made on first use: loading the media backend costs time at start-up.
    QMediaPlayer *player();

private:
    QMediaPlayer *player_ = nullptr;
    QAudioOutput *output_ = nullptr;
    bool startPending_ = false;
    double rate_ = 1.0;
};

} // namespace zarfan
