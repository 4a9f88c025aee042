#pragma once

// What the recitation tests share: a tiny HTTP server on 127.0.0.1, a player
// engine that only records, and small file helpers.

#include "recitation/playerengine.h"
#include "recitation/reciter.h"
#include "ui/resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <zlib.h>

namespace rectest {

// Test paths, the resources, and no reciter files left from a run before.
inline void startRecitationTests()
{
    QStandardPaths::setTestModeEnabled(true);
    zarfan::initResources();
    zarfan::clearRecitationCache();
}

// Plays nothing: remembers each file and ends it when told.
class FakeEngine : public zarfan::PlayerEngine {
public:
    bool output = true;
    QStringList played;
    bool hasOutput() const override { return output; }
    void play(const QUrl &file) override
    {
        played.append(QFileInfo(file.toLocalFile()).fileName());
        emit started();
    }
    void pause() override {}
    void resume() override {}
    void stop() override {}
    void setRate(double) override {}
    void end() { emit ended(); }
};

// An MP3 of silent frames (MPEG 1 layer III, 128 kbit/s, 44.1 kHz) after an
// empty ID3v2 tag: whole as a file, though no decoder would sing it.
inline QByteArray mp3Frames(int frames)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xff);
    frame[1] = char(0xfb);
    frame[2] = char(0x90);
    frame[3] = char(0x44);
    return QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10) + frame.repeated(frames);
}

// Zeros as gzip: the start of the stream, and a piece that may follow it
// (or itself) any number of times, each a megabyte of zeros once inflated:
// as all that came before is zeros, its references back stay true.
inline const std::pair<QByteArray, QByteArray> &zeros()
{
    static const std::pair<QByteArray, QByteArray> pieces = [] {
        const QByteArray input(1 << 20, '\0');
        z_stream zip{};
        deflateInit2(&zip, 9, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
        const auto piece = [&] {
            QByteArray out(1 << 16, '\0');
            zip.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
            zip.avail_in = uInt(input.size());
            zip.next_out = reinterpret_cast<Bytef *>(out.data());
            zip.avail_out = uInt(out.size());
            deflate(&zip, Z_SYNC_FLUSH);
            out.chop(qsizetype(zip.avail_out));
            return out;
        };
        const QByteArray first = piece();
        const QByteArray next = piece();
        deflateEnd(&zip);
        return std::pair{first, next};
    }();
    return pieces;
}

// A tiny HTTP server: each path answers as its name says; a path in gone
// answers 404 whatever its name.
class Server : public QTcpServer {
public:
    QByteArray mp3 = mp3Frames(5);
    QList<QTcpSocket *> silent;
    QList<QByteArray> requests;
    QSet<QByteArray> gone;
    qint64 endlessSent = 0;
    Server()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
        });
    }
    QString url(const QString &path) const { return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(path); }
    void answer(QTcpSocket *s)
    {
        const QByteArray request = s->readAll();
        const QByteArray path = request.split(' ').value(1);
        requests.append(path);
        const auto send = [s](const QByteArray &status, const QByteArray &type, const QByteArray &body, qsizetype length) {
            s->write("HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(length)
                     + "\r\nConnection: close\r\n\r\n" + body);
            s->disconnectFromHost();
        };
        if (gone.contains(path))
            send("404 Not Found", "text/html", "<html>404</html>", 16);
        else if (path.startsWith("/good/"))
            send("200 OK", "audio/mpeg", mp3, mp3.size());
        else if (path.startsWith("/html/"))
            send("200 OK", "text/html", "<html><body>Not here</body></html>", 34);
        else if (path.startsWith("/disguised/")) // an error page that calls itself audio
            send("200 OK", "audio/mpeg", "<html><body>Not here</body></html>", 34);
        else if (path.startsWith("/short/"))
            send("200 OK", "audio/mpeg", mp3.left(500), mp3.size());
        else if (path.startsWith("/garbled/")) { // begins like an MP3, then noise
            QByteArray noise(4000, '\0');
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
            noise[0] = 0x12;
            const QByteArray body = mp3.left(10) + noise;
            send("200 OK", "audio/mpeg", body, body.size());
        } else if (path.startsWith("/silent/"))
            silent.append(s);
        else if (path.startsWith("/endless/")) { // audio that never ends, written as fast as it is taken
            s->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n" + mp3);
            const auto more = [this, s] {
                if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < 65536)
                    endlessSent += s->write(QByteArray(65536, '\x55'));
            };
            connect(s, &QTcpSocket::bytesWritten, s, more);
            more();
        } else if (path.startsWith("/gzip/")) { // a compressed body that inflates without end
            s->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Encoding: gzip\r\n\r\n" + zeros().first);
            const auto more = [this, s] {
                if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < 65536)
                    endlessSent += s->write(zeros().second.repeated(16));
            };
            connect(s, &QTcpSocket::bytesWritten, s, more);
            more();
        } else
            send("404 Not Found", "text/html", "<html>404</html>", 16);
    }
};

inline QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A user data folder of the test's own, so each window starts as a new reader's.
struct UserFolder {
    QTemporaryDir dir;
    UserFolder() { qputenv("ZARFAN_USER_DATA", dir.path().toUtf8()); }
    ~UserFolder() { qunsetenv("ZARFAN_USER_DATA"); }
};

// Arabic comes first: the first line holds no Latin letter.
inline bool arabicFirst(const QString &text)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    const QString first = text.section(u'\n', 0, 0);
    return !first.isEmpty() && !first.contains(latin);
}

// A port where nothing listens.
inline quint16 deadPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort();
}

} // namespace rectest
