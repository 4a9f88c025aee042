#include "guitest.h"

using namespace zarfan;
using guitest::child;

class AboutWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

    void auxiliaryWindowsFromTheMenu()
    {
        QStringList opened;
        const auto record = [&](QWidget *dialog) {
            opened.append(dialog->objectName() + u'|' + dialog->windowTitle());
            dialog->close();
        };
        guitest::whenModal(record);
        action("about")->trigger();
        guitest::whenModal(record);
        action("update")->trigger();
        QCOMPARE(opened, QStringList({u"Form2|عن برنامج زرفان"_qs, u"Form4|آخر التحديثات"_qs}));
    }
};

QTEST_MAIN(AboutWindowTest)
#include "test_aboutwindow.moc"
