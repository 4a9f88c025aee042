#include "guitest.h"

#include "state/listingfill.h"
#include "browse/suratables.h"
#include "topics/windows/topicwindow.h"

#include <QLineEdit>
#include <QListWidget>

using namespace zarfan;
using guitest::child;

class TopicWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

    void topicWindow()
    {
        QStringList topLevel;
        QFile file(testutil::dataDir() + u"/topics.tsv"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1)) {
            const QStringList f = line.split(u'\t');
            if (f[1] == u"0")
                topLevel.append(f[2]);
        }
        action("subjects")->trigger();
        action("subjects")->trigger();
        QCOMPARE(w->findChildren<TopicWindow *>().size(), 1);
        TopicWindow *form8 = w->topicWindow();
        auto *mainlist = child<QListWidget>(form8, "mainlist");
        auto *refs = child<QListWidget>(form8, "suraayaalist");
        QStringList shown;
        for (int i = 0; i < mainlist->count(); ++i)
            shown.append(mainlist->item(i)->text());
        QCOMPARE(shown, topLevel);
        // Down to a leaf, whatever the depth.
        int depth = 0;
        while (refs->count() == 0 && depth < 8) {
            mainlist->setCurrentRow(0);
            QTest::keyClick(mainlist, Qt::Key_Return);
            ++depth;
        }
        QVERIFY(depth >= 2);
        QVERIFY(refs->count() > 0);
        QCOMPARE(refs->count(), form8->ayaalistsub().size());
        const QString sura = form8->soralistsub().first();
        QCOMPARE(refs->item(0)->text(), SuraTables::name(sura.toInt()) + u" : ("_qs
                     + QString(form8->ayaalistsub().first()).replace(u',', u' ') + u')');
        refs->setCurrentRow(0);
        QTest::keyClick(refs, Qt::Key_Return);
        QVERIFY(w->listing().count() > 0);
        QCOMPARE(label("score"), QString::number(w->listing().count()));
        QCOMPARE(w->listing().at(0).sura, sura);
        QVERIFY(text1().endsWith(w->listing().at(0).line + u']'));
        QCOMPARE(refs->count(), form8->ayaalistsub().size());
        // Back to the top, twice.
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(child<QListWidget>(form8, "mainsearch")->viewport(), Qt::LeftButton, {},
                              child<QListWidget>(form8, "mainsearch")->visualItemRect(child<QListWidget>(form8, "mainsearch")->item(0)).center());
            QCOMPARE(mainlist->count(), topLevel.size());
            QCOMPARE(refs->count(), 0);
            QVERIFY(child<QListWidget>(form8, "mainsearch")->selectedItems().isEmpty());
        }
        QPointer<TopicWindow> alive(form8);
        w->close();
        QVERIFY(!form8->isVisible());
        QTRY_VERIFY(alive.isNull());
    }

    // The topic window closed by its close box, or with the main window,
    // while a double click walks a topic's children: it goes only once the
    // double click's handlers have returned.
    void topicWindowClosedDuringItsWalk()
    {
        QTemporaryDir dir;
        QVERIFY(testutil::makeDatabase(dir.filePath(u"zarfan.zf"_qs), testutil::miniSql()
            + "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 3000) "
              "INSERT INTO topics_name (Topic_No, Topic_Name, Mother_Topic, Topic_NameFolded) SELECT 1000 + x, 'فرع', '20', 'فرع' FROM n;"));
        EventYield::setDefaultInterval(0);
        for (const bool closeMain : {false, true}) {
            MainWindow main(dir.path());
            main.show();
            main.openTopics();
            QPointer<TopicWindow> form8 = main.topicWindow();
            QVERIFY(QTest::qWaitForWindowExposed(form8));
            auto *list = form8->findChild<QListWidget *>(u"mainlist"_qs);
            const QPoint at = list->visualItemRect(list->item(1)).center();
            // A real double click: press, release, then the double click.
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            QTimer::singleShot(0, this, [&] {
                if (closeMain)
                    main.close();
                else if (form8)
                    form8->close();
            });
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            QVERIFY(form8);
            QVERIFY(!form8->isVisible());
            QVERIFY(list->count() < 3000);
            QTRY_VERIFY(!form8);
            QVERIFY(!main.topicWindow());
        }
    }

    // A topic found by its name opens as if walked to, and its references
    // list the same ayas.
    void topicFilter()
    {
        action("subjects")->trigger();
        TopicWindow *form8 = w->topicWindow();
        auto *mainlist = child<QListWidget>(form8, "mainlist");
        auto *refs = child<QListWidget>(form8, "suraayaalist");
        // The first leaf, by number, at the third level or deeper whose path
        // names no other topic (the data names two topics twice), from the file.
        QMap<int, QStringList> topics; // number -> parent, name
        QFile file(testutil::dataDir() + u"/topics.tsv"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1))
            topics.insert(line.section(u'\t', 0, 0).toInt(), {line.section(u'\t', 1, 1), line.section(u'\t', 2)});
        QSet<int> parents;
        QMap<int, QStringList> paths;
        QHash<QString, int> named;
        for (auto it = topics.cbegin(); it != topics.cend(); ++it) {
            parents.insert(it.value()[0].toInt());
            QStringList &p = paths[it.key()];
            for (int k = it.key(); k != 0; k = topics.value(k)[0].toInt())
                p.prepend(topics.value(k)[1]);
            ++named[p.join(u" ◄ "_qs)];
        }
        QStringList path;
        for (auto it = paths.cbegin(); it != paths.cend() && path.isEmpty(); ++it) {
            if (!parents.contains(it.key()) && it.value().size() >= 3 && named.value(it.value().join(u" ◄ "_qs)) == 1)
                path = it.value();
        }
        QVERIFY(path.size() >= 3);
        for (const QString &name : path) {
            const auto items = mainlist->findItems(name, Qt::MatchExactly);
            QVERIFY2(!items.isEmpty(), qPrintable(name));
            mainlist->setCurrentItem(items.first());
            QTest::keyClick(mainlist, Qt::Key_Return);
        }
        QVERIFY(refs->count() > 0);
        QStringList walked;
        for (int i = 0; i < refs->count(); ++i)
            walked.append(refs->item(i)->text());

        auto *filter = child<QLineEdit>(form8, "topicfilter");
        QCOMPARE(filter->accessibleName(), u"بحث في المواضيع"_qs);
        filter->setText(path.last());
        QVERIFY(refs->count() == 0);
        const auto found = mainlist->findItems(path.join(u" ◄ "_qs), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        mainlist->setCurrentItem(found.first());
        QTest::keyClick(mainlist, Qt::Key_Return);
        QStringList chosen;
        for (int i = 0; i < refs->count(); ++i)
            chosen.append(refs->item(i)->text());
        QCOMPARE(chosen, walked);
        refs->setCurrentRow(0);
        QTest::keyClick(refs, Qt::Key_Return);
        QVERIFY(w->listing().count() > 0);
        filter->clear();
        QCOMPARE(mainlist->count(), 15);
    }
};

QTEST_MAIN(TopicWindowTest)
#include "test_topicwindow.moc"
