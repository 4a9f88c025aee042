#include "auxiliary/windows/noteswindow.h"
#include "auxiliary/windows/aboutwindow.h"
#include "auxiliary/windows/notestext.h"
#include "auxiliary/updatebody.h"
#include "auxiliary/windows/updatefetcher.h"
#include "auxiliary/windows/updatewindow.h"
#include "guitest.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace zarfan;

namespace {

// A server in a thread of its own that answers with header lines without
// end, as fast as they are taken: it goes on while the program is busy.
class HeaderFlood {
public:
    HeaderFlood()
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (bind(fd_, reinterpret_cast<sockaddr *>(&a), size) != 0 || listen(fd_, 4) != 0
            || getsockname(fd_, reinterpret_cast<sockaddr *>(&a), &size) != 0)
            return;
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] {
            const int c = accept(fd_, nullptr, nullptr);
            if (c < 0)
                return;
            std::string chunk = "HTTP/1.1 200 OK\r\n";
            for (int i = 0; i < 64; ++i)
                chunk += "X-Flood: " + std::string(1000, 'a') + "\r\n";
            while (!stop_ && send(c, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0)
                chunk.erase(0, chunk.find('X'));
            close(c);
        });
    }
    ~HeaderFlood()
    {
        stop_ = true;
        shutdown(fd_, SHUT_RDWR);
        close(fd_);
        if (thread_.joinable())
            thread_.join();
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/update3.0.txt").arg(port_)); }

private:
    int fd_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A loopback HTTP server with one canned answer per path.
class TinyServer : public QTcpServer {
public:
    int requests = 0;
    QHash<QByteArray, QByteArray> answers; // path -> whole response; absent: never answer

    TinyServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    const QByteArray request = s->readAll();
                    if (!request.startsWith("GET "))
                        return;
                    ++requests;
                    const QByteArray path = request.split(' ').value(1);
                    if (answers.contains(path)) {
                        s->write(answers.value(path));
                        s->disconnectFromHost();
                    }
                });
            }
        });
    }
    QUrl url(const char *path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(path))); }
    static QByteArray response(const QByteArray &status, const QByteArray &body)
    {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n\r\n" + body;
    }
};

} // namespace

class UpdateTest : public QObject {
    Q_OBJECT
private:
    TinyServer server;

    QString fetch(const QUrl &url, int timeoutMs = 5000)
    {
        UpdateFetcher fetcher;
        fetcher.setUrl(url);
        fetcher.setTimeoutMs(timeoutMs);
        QSignalSpy spy(&fetcher, &UpdateFetcher::fetched);
        fetcher.fetch();
        if (!spy.wait(15000))
            return u"<no answer>"_qs;
        return spy.first().first().toString();
    }

private slots:
    void initTestCase()
    {
        initResources();
        QVERIFY(server.isListening());
        const QString arabic = u"تحديث جديد: الإصدار 3.1"_qs;
        server.answers["/utf8/update3.0.txt"] = TinyServer::response("200 OK", arabic.toUtf8());
        QStringEncoder cp1256("windows-1256");
        QVERIFY2(cp1256.isValid(), "Qt has no Windows-1256 codec here");
        server.answers["/cp1256/update3.0.txt"] = TinyServer::response("200 OK", cp1256.encode(arabic));
        server.answers["/missing/update3.0.txt"] = TinyServer::response("404 Not Found", "<h1>Not Found</h1>");
        server.answers["/huge/update3.0.txt"] = TinyServer::response("200 OK", QByteArray(3 * 1024 * 1024, 'a'));
    }

    void decodesBothEncodings()
    {
        QCOMPARE(fetch(server.url("/utf8/update3.0.txt")), u"تحديث جديد: الإصدار 3.1"_qs);
        QCOMPARE(fetch(server.url("/cp1256/update3.0.txt")), u"تحديث جديد: الإصدار 3.1"_qs);
        QCOMPARE(decodeUpdateBody(QByteArray("\xc7\xe1\xe1\xe5")), u"الله"_qs);
        QCOMPARE(decodeUpdateBody(QByteArray()), QString());
    }

    // Seeded random bodies: never a crash, never more text than the cap.
    void randomBodies()
    {
        QRandomGenerator rng(99);
        for (int i = 0; i < 100000; ++i) {
            QByteArray body(int(rng.bounded(64)), Qt::Uninitialized);
            for (char &c : body)
                c = char(rng.bounded(256));
            const QString text = decodeUpdateBody(body);
            QVERIFY(text.size() <= body.size());
        }
        const QString capped = decodeUpdateBody(QByteArray(kUpdateBodyLimit + 10, '\xd8'));
        QCOMPARE(capped.size(), kUpdateBodyLimit);
    }

    void errorPageIsShownAsItCame()
    {
        QCOMPARE(fetch(server.url("/missing/update3.0.txt")), u"<h1>Not Found</h1>"_qs);
    }

    void failuresGiveAnEmptyText()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        QCOMPARE(fetch(QUrl(QStringLiteral("http://127.0.0.1:%1/update3.0.txt").arg(port))), QString());
        // A server that never answers: the transfer times out.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(fetch(server.url("/silent/update3.0.txt"), 400), QString());
        QVERIFY(clock.elapsed() < 10000);
    }

    void runawayBodyIsCapped()
    {
        const QString text = fetch(server.url("/huge/update3.0.txt"));
        QCOMPARE(text.size(), kUpdateBodyLimit);
    }

    // Each opening fetches again and leaves nothing on disk.
    void windowFetchesAtEveryOpening()
    {
        guitest::AppFolder folder;
        const QString before = QDir(QCoreApplication::applicationDirPath()).entryList().join(u',');
        const int requests = server.requests;
        for (int i = 0; i < 2; ++i) {
            auto *window = new UpdateWindow(nullptr);
            QCOMPARE(window->objectName(), u"Form4"_qs);
            QCOMPARE(window->windowTitle(), u"آخر التحديثات"_qs);
            window->fetcher()->setUrl(server.url(i == 0 ? "/utf8/update3.0.txt" : "/missing/update3.0.txt"));
            window->show();
            auto *text = window->findChild<QPlainTextEdit *>(u"Text1"_qs);
            QTRY_COMPARE(text->toPlainText(), i == 0 ? u"تحديث جديد: الإصدار 3.1"_qs : u"<h1>Not Found</h1>"_qs);
            window->findChild<QAction *>(u"ok"_qs)->trigger();
            QVERIFY(!window->isVisible());
            delete window;
        }
        QVERIFY(server.requests >= requests + 2);
        QCOMPARE(QDir(QCoreApplication::applicationDirPath()).entryList().join(u','), before);
        QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + u"/update3.0.txt"_qs));
    }

    void noteMessage()
    {
        guitest::MessageLog log;
        UpdateWindow window(nullptr);
        window.findChild<QAction *>(u"note"_qs)->trigger();
        QCOMPARE(log.lines(), QStringList({u"زرفان|في حال كان نص التحديث غريبا أو فارغ فيعود السبب  لأحد هذه النقاط , 1- لم تتصل بالإنترنت , 2- موقع التحديث مغلق "_qs}));
        QStringList menu;
        for (const char *name : {"ok", "note", "gotoweb"})
            menu.append(window.findChild<QAction *>(QString::fromLatin1(name))->text());
        QCOMPARE(menu, QStringList({u"موافق"_qs, u"ملاحظات"_qs, u"وصلة تهمك"_qs}));
    }

    // The window fetches when shown, not again when its own message box
    // closes; a server that drips bytes is given up at the limit for the
    // whole transfer; a notice without line breaks is shown in lines.
    void activationLimitsAndLongLines()
    {
        const int requests = server.requests;
        UpdateWindow window(nullptr);
        window.fetcher()->setUrl(server.url("/utf8/update3.0.txt"));
        window.show();
        window.activateWindow();
        auto *text = window.findChild<QPlainTextEdit *>(u"Text1"_qs);
        QTRY_VERIFY(!text->toPlainText().isEmpty());
        {
            guitest::MessageLog log;
            window.findChild<QAction *>(u"note"_qs)->trigger();
        }
        window.activateWindow();
        QTest::qWait(200);
        QCOMPARE(server.requests, requests + 1);

        QTcpServer drip;
        QVERIFY(drip.listen(QHostAddress::LocalHost));
        QTimer tick;
        QList<QTcpSocket *> clients;
        connect(&drip, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *s = drip.nextPendingConnection();
            clients.append(s);
            s->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        });
        connect(&tick, &QTimer::timeout, this, [&] {
            for (QTcpSocket *s : clients)
                s->write("a");
        });
        tick.start(100);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(fetch(QUrl(QStringLiteral("http://127.0.0.1:%1/update3.0.txt").arg(drip.serverPort())), 1500), QString());
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed()))); // a hang, not a speed

        // Closing the window leaves a server that never answers at once.
        {
            UpdateWindow silent(nullptr);
            silent.fetcher()->setUrl(server.url("/silent/update3.0.txt"));
            silent.show();
            QTRY_VERIFY(silent.fetcher()->isRunning());
            silent.close();
            QVERIFY(!silent.fetcher()->isRunning());
        }

        // Closing, and unloading, the window while a server floods headers
        // takes no time.
        {
            HeaderFlood flood;
            auto *flooded = new UpdateWindow(nullptr);
            flooded->fetcher()->setUrl(flood.url());
            flooded->show();
            QTest::qWait(500);
            QElapsedTimer closing;
            closing.start();
            flooded->close();
            delete flooded;
            QVERIFY2(closing.elapsed() < 10000, qPrintable(QString::number(closing.elapsed()))); // a hang, not a speed
        }

        const QString shown = presentableUpdateText(QString(kUpdateBodyLimit, u'ب'));
        QVERIFY(shown.size() <= kShownLimit + kShownLimit / kLineLimit + 1);
        for (const QString &line : shown.split(u'\n'))
            QVERIFY(line.size() <= kLineLimit);
        QCOMPARE(presentableUpdateText(u"سطر أول\nسطر ثان"_qs), u"سطر أول\nسطر ثان"_qs);
        const QString words = presentableUpdateText(QString(u"كلمة "_qs).repeated(200));
        QVERIFY(words.split(u'\n').first().endsWith(u"كلمة"_qs));
    }

    void notesText()
    {
        const QString text = zarfan::notesText();
        QVERIFY(text.endsWith(u"\r\n"_qs));
        const QStringList lines = text.split(u"\r\n"_qs);
        QCOMPARE(lines.size(), 19); // 18 lines and the empty rest after the last CR LF
        QCOMPARE(text.count(u'\n'), 18);
        QCOMPARE(text.count(u'\r'), 18);
        QCOMPARE(lines[0], u"برنامج زرفان - في القرآن الكريم"_qs);
        QVERIFY(lines[1].isEmpty() && lines[8].isEmpty() && lines[13].isEmpty() && lines[16].isEmpty());
        QVERIFY(lines[10].endsWith(u' ') && lines[11].endsWith(u' ') && lines[14].endsWith(u' '));
        QVERIFY(text.contains(u"Tanzil"_qs));
    }

    // The about and notes windows keep their design's proportions, scaled
    // for the face that stands in for Tahoma, and clip none of their texts.
    void designSizes()
    {
        AboutWindow about(nullptr);
        NotesWindow notes(nullptr);
        for (const auto &[window, design] : {std::pair<QDialog *, QSize>{&about, QSize(435, 190)}, std::pair<QDialog *, QSize>{&notes, QSize(428, 242)}}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QSize size = window->size();
            QVERIFY2(qAbs(size.width() * design.height() - size.height() * design.width()) <= design.width() + design.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
            QVERIFY(size.width() < design.width() * 2);
            for (QWidget *c : window->findChildren<QWidget *>()) {
                const auto *label = qobject_cast<QLabel *>(c);
                const auto *button = qobject_cast<QPushButton *>(c);
                if (!c->isVisible() || !((label && !label->text().isEmpty()) || button))
                    continue;
                const QSize needed = c->minimumSizeHint();
                QVERIFY2(c->width() >= needed.width() && c->height() >= needed.height(), qPrintable(c->objectName()));
            }
            window->hide();
        }
    }

    // The notes open modally over the about window, again and again.
    void notesFromAboutRepeatedly()
    {
        AboutWindow about(nullptr);
        QCOMPARE(about.windowTitle(), u"عن برنامج زرفان"_qs);
        about.show();
        for (int i = 0; i < 3; ++i) {
            bool seen = false;
            guitest::whenModal([&](QWidget *notes) {
                QCOMPARE(notes->objectName(), u"Form3"_qs);
                QCOMPARE(notes->findChild<QPlainTextEdit *>(u"Text2"_qs)->toPlainText().count(u'\n'), 18);
                seen = true;
                notes->findChild<QPushButton *>(u"Command1"_qs)->click();
            });
            about.findChild<QPushButton *>(u"Command2"_qs)->click();
            QVERIFY(seen);
            QVERIFY(about.isVisible());
        }
    }
};

QTEST_MAIN(UpdateTest)
#include "test_update.moc"
