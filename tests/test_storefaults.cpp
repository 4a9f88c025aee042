// The reader's store and notes files at their limits, as a reader meets
// them: imports through the real file dialog, a store another program wrote.
#include "guitest.h"

#include "data/userstore.h"
#include "memorise/memoriseprogress.h"
#include "notes/notesstore.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zarfan;

namespace {

// Opens a FIFO's far end now and then until stopped, so that a reader
// blocked on it meets its end instead of hanging the test.
struct FifoWatchdog {
    std::atomic<bool> stop{false};
    std::thread thread;
    explicit FifoWatchdog(const QByteArray &path)
        : thread([this, path] {
              for (int waited = 0; !stop; waited += 100) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
                  if (waited >= 15000) {
                      const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0)
                          ::close(fd);
                  }
              }
          })
    {
    }
    ~FifoWatchdog()
    {
        stop = true;
        thread.join();
    }
};

// A main window over a store of its own.
struct Reader {
    QTemporaryDir data;
    UserStore store;
    ReadingState state;
    std::unique_ptr<MainWindow> window;
    explicit Reader(const QString &appFolder) : state(appFolder)
    {
        store.open(data.filePath(u"user.db"_qs));
        state.setUserStore(&store);
        window = std::make_unique<MainWindow>(state);
        window->show();
    }
    // "استيراد" from the menu, the file typed into the file dialog.
    void importFile(const QString &path)
    {
        guitest::whenModal([path](QWidget *dialog) {
            QVERIFY(qobject_cast<QFileDialog *>(dialog));
            auto *name = dialog->findChild<QLineEdit *>(u"fileNameEdit"_qs);
            QVERIFY(name);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        window->findChild<QAction *>(u"importNotesAction"_qs)->trigger();
    }
};

QByteArray scalar(UserStore &store, const QByteArray &sql)
{
    sql::Statement s(store.connection().handle(), sql);
    return s && s.step() == SQLITE_ROW ? s.text(0).toUtf8() : QByteArray();
}

QByteArray notesFile(const QByteArray &memorise, const QByteArray &padding = {})
{
    return R"({"format": "zarfan-notes", "version": 1, "notes": [], "lists": [], "memorise": )" + memorise + padding + "}";
}


} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<guitest::AppFolder> folder;

private slots:
    void initTestCase() { folder = std::make_unique<guitest::AppFolder>(); }

    // A FIFO named like a notes file blocks nobody: it is refused as not a
    // file. A file over the import limit is told as too large, with the limit.
    void importRefusesWhatIsNoFile()
    {
        guitest::MessageLog log;
        Reader reader(folder->path());
        QTemporaryDir dir;
        const QString fifo = dir.filePath(u"notes.json"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        {
            FifoWatchdog watchdog(QFile::encodeName(fifo));
            reader.importFile(fifo);
        }
        QVERIFY2(log.messages() == 1, qPrintable(log.lines().join(u"\n"_qs)));
        QVERIFY2(log.lines().join(u'\n').contains(u"ليس ملفا عاديا"_qs), qPrintable(log.lines().join(u'\n')));

        // Valid JSON of 73 MB: whitespace inside the array.
        const QString big = testutil::writtenFile(dir, u"big.json"_qs, notesFile("[", QByteArray(73 << 20, ' ') + "]"));
        QVERIFY(!big.isEmpty());
        reader.importFile(big);
        QVERIFY2(log.messages() == 2, qPrintable(log.lines().join(u"\n"_qs)));
        QVERIFY2(log.lines().join(u'\n').contains(u"أكبر من 64 م.ب"_qs), qPrintable(log.lines().join(u'\n')));
    }

    // Pages imported: a page repeated counts once and its latest change wins;
    // a change dated in the future is taken as today's, so the next import
    // of the page is not blocked; a million entries cost the store no more
    // than the pages they name.
    void memoriseImportOnePagePerPage()
    {
        guitest::MessageLog log;
        Reader reader(folder->path());
        QTemporaryDir dir;
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const QString first = testutil::writtenFile(dir, u"a.json"_qs, notesFile(R"([
            {"page": 5, "state": 1, "changed": "2020-01-02"},
            {"page": 5, "state": 2, "interval": 4, "due": "2020-01-09", "changed": "2020-01-05"},
            {"page": 5, "state": 0, "changed": "2020-01-03"},
            {"page": 6, "state": 2, "interval": 8, "due": "9999-12-31", "changed": "9999-12-31"}])"));
        reader.importFile(first);
        QCOMPARE(log.lines().last(), u"زرفان|أضيف : 2    دمج : 0    رفض : 0"_qs);
        MemoriseProgress pages(&reader.store);
        QCOMPARE(pages.page(5).state, PageState::Held);
        QCOMPARE(pages.page(5).interval, 4);
        QCOMPARE(pages.page(6).changed, QDate::currentDate().toJulianDay());
        QVERIFY(pages.page(6).due <= QDate::currentDate().addDays(MemoriseProgress::kMaxInterval).toJulianDay());

        const QString later = testutil::writtenFile(dir, u"b.json"_qs, notesFile(R"([{"page": 6, "state": 1, "changed": ")" + today.toUtf8()
                                                                      + R"("}])"));
        reader.importFile(later);
        QCOMPARE(log.lines().last(), u"زرفان|أضيف : 0    دمج : 1    رفض : 0"_qs);
        QCOMPARE(MemoriseProgress(&reader.store).page(6).state, PageState::Learning);

        // A million entries over the 604 pages.
        QByteArray many = "[";
        for (int k = 0; k < 1000000; ++k)
            many += "{\"page\":" + QByteArray::number(k % MemoriseProgress::kPages + 1) + ",\"state\":1},";
        many.chop(1);
        many += ']';
        quint64 steps = 0;
        sqlite3_progress_handler(reader.store.connection().handle(), 1000, [](void *n) { return ++*static_cast<quint64 *>(n), 0; }, &steps);
        reader.importFile(testutil::writtenFile(dir, u"c.json"_qs, notesFile(many)));
        sqlite3_progress_handler(reader.store.connection().handle(), 0, nullptr, nullptr);
        QCOMPARE(log.lines().last(), u"زرفان|أضيف : 602    دمج : 0    رفض : 0"_qs);
        // Each page written once: well under one step in a thousand per entry.
        QVERIFY2(steps < 1000, qPrintable(QString::number(steps)));
    }

    // Rows another program wrote past the limits (a note of 100,001
    // characters, 200,000 tags) are set aside when the store is read, told
    // in the one message; the rest stay and read quickly.
    void oversizedRowsSetAside()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            Note kept;
            kept.range = {2, 255, 255};
            kept.text = u"كبير"_qs;
            QVERIFY(NotesStore(store).save(kept));
            sql::Statement s(store.connection().handle(),
                             "INSERT INTO notes (sura, first, last, text, tags, folded, created, modified) VALUES (1, 1, 1, ?1, ?2, '', 0, 0);");
            s.bind(1, QString(NotesStore::kMaxNoteLength + 1, u'ن'));
            s.bind(2, QString());
            QVERIFY(s.execute());
            s.reset();
            s.bind(1, u"وسوم"_qs);
            QStringList tags;
            for (int k = 0; k < 200000; ++k)
                tags.append(QString::number(k));
            s.bind(2, tags.join(u'\n'));
            QVERIFY(s.execute());
        }
        guitest::StoredState stored(folder->path(), path);
        QCOMPARE(stored.state.takeNotesMessage(), NotesStore::setAsideMessage(2));
        QVERIFY(NotesStore::setAsideMessage(2).contains(QString::number(NotesStore::kMaxNoteLength)));
        QCOMPARE(NotesStore(stored.store).notes().size(), std::size_t(1));
        QCOMPARE(scalar(stored.store, "SELECT count(*) FROM notes_set_aside;"), QByteArray("2"));
    }

    // A newer program's store, read only on purpose, says so on a change
    // instead of asking for a writable file.
    void newerStoreSaysWhyItIsReadOnly()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            QVERIFY(store.connection().exec("PRAGMA user_version = 99;"));
        }
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Newer);
        NotesStore notes(store);
        Note n;
        n.range = {1, 1, 1};
        n.text = u"x"_qs;
        QVERIFY(!notes.save(n));
        QVERIFY2(notes.lastError().contains(u"إصدار أحدث"_qs), qPrintable(notes.lastError()));
        QVERIFY2(!notes.lastError().contains(u"قابلان للكتابة"_qs), qPrintable(notes.lastError()));
    }
};

QTEST_MAIN(TestStoreFaults)
#include "test_storefaults.moc"
