#pragma once

// What the recitation tests share: a fake engine, a server on 127.0.0.1 and a
// user folder of their own.
#include "recitation/playerengine.h"
#include "recitation/reciter.h"
#include "ui/resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace recitationtest {
using namespace zarfan;

// Test paths, the program's resources and no cached reciters.
inline void prepare()
{
    QStandardPaths::setTestModeEnabled(true);
    initResources();
    clearRecitationCache();
}

// Plays nothing: remembers each file and ends it when told.
class FakeEngine : public PlayerEngine {
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

// A tiny HTTP server: each path answers as its name says.
class Server : public QTcpServer {
public:
    QByteArray mp3 = QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10) + QByteArray(2000, '\x55');
    QList<QTcpSocket *> silent;
    QList<QByteArray> requests;
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
        if (path.startsWith("/good/"))
            send("200 OK", "audio/mpeg", mp3, mp3.size());
        else if (path.startsWith("/html/"))
            send("200 OK", "text/html", "<html><body>Not here</body></html>", 34);
        else if (path.startsWith("/disguised/")) // an error page that calls itself audio
            send("200 OK", "audio/mpeg", "<html><body>Not here</body></html>", 34);
        else if (path.startsWith("/short/"))
            send("200 OK", "audio/mpeg", mp3.left(500), mp3.size());
        else if (path.startsWith("/silent/"))
            silent.append(s);
        else if (path.startsWith("/endless/")) { // audio that never ends, written as fast as it is taken
            s->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n" + mp3);
            const auto more = [this, s] {
                if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < 65536) {
                    endlessSent += s->write(QByteArray(65536, '\x55'));
                }
            };
            connect(s, &QTcpSocket::bytesWritten, s, more);
            more();
        }
        else
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
} // namespace recitationtest
