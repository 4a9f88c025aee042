#include "guitest.h"

#include "browse/suratables.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QRadioButton>
#include <QToolButton>

using namespace zarfan;
using guitest::child;

class NavigatorWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

    void navigatorBySuraNameAndNumber()
    {
        navigate("searchname", 0);
        const QStringList byName = lines();
        QCOMPARE(byName.size(), 7);
        QCOMPARE(byName.first(), u"الفاتحة : 1"_qs);
        QCOMPARE(byName.last(), u"الفاتحة : 7"_qs);
        QCOMPARE(label("score"), u"7"_qs);
        QCOMPARE(programState().mixedsora, qint16(0));
        QCOMPARE(text1(), aya(1, 1).text + u" [الفاتحة : 1]"_qs);
        navigate("searchnumber", 0);
        QCOMPARE(lines(), byName);
        QVERIFY(action("fullsearch")->isEnabled());
        QVERIFY(child<QToolButton>(w.get(), "allayaasearch")->isEnabled());
    }

    void navigatorByJuz()
    {
        navigate("tafsercombo", 29);
        QCOMPARE(w->listing().count(), 564);
        QCOMPARE(label("score"), u"564"_qs);
        QCOMPARE(programState().mixedsora, qint16(1));
        QCOMPARE(lines().first(), u"النبأ : 1"_qs);
        QVERIFY(lines().contains(SuraTables::name(104) + u" : 1"_qs));
        int previous = 0;
        for (int k = 0; k < w->listing().count(); ++k) {
            QVERIFY(w->listing().at(k).id.toInt() > previous);
            previous = w->listing().at(k).id.toInt();
        }
        navigate("tafsercombo", 28);
        QVERIFY(lines().contains(SuraTables::name(73) + u" : 20"_qs));
        QVERIFY(lines().contains(SuraTables::name(74) + u" : 56"_qs));
        navigate("tafsercombo", 22);
        QVERIFY(lines().contains(u"صـ : 1"_qs));
        navigate("searchnumber", 49);
        QCOMPARE(lines().first(), u"قـ : 1"_qs);
        // The navigator kept its choices while hidden.
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(child<QComboBox>(dialog, "searchnumber")->currentIndex(), 49);
            QCOMPARE(child<QComboBox>(dialog, "tafsercombo")->currentIndex(), 22);
            dialog->close();
        });
        action("fullsearch")->trigger();
        QTest::qWait(0);
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(child<QComboBox>(dialog, "searchnumber")->currentIndex(), -1);
            QCOMPARE(child<QComboBox>(dialog, "searchnumber")->currentText(), u"اختر رقم السورة"_qs);
            dialog->hide();
        });
        action("fullsearch")->trigger();
    }

    // Escape puts the options and navigator windows away with their state;
    // Enter on text typed in a navigator box lists nothing.
    void escapeAndEnterInTheSmallWindows()
    {
        guitest::whenModal([](QWidget *dialog) {
            child<QRadioButton>(dialog, "alone")->setChecked(true);
            child<QRadioButton>(dialog, "soraop")->setChecked(true);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        action("tools")->trigger();
        QCOMPARE(programState().searchtype, qint16(0));
        QVERIFY(w->state().searchOptions().singleWord);
        guitest::whenModal([](QWidget *dialog) {
            QVERIFY(child<QRadioButton>(dialog, "alone")->isChecked());
            dialog->close();
        });
        action("tools")->trigger();
        QVERIFY(!w->state().searchOptions().singleWord);

        guitest::whenModal([](QWidget *dialog) {
            auto *name = child<QComboBox>(dialog, "searchname");
            name->setCurrentIndex(3);
            name->lineEdit()->setText(u"البقرة"_qs);
            QTest::keyClick(name->lineEdit(), Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        action("fullsearch")->trigger();
        QCOMPARE(w->listing().count(), 0);
        guitest::whenModal([](QWidget *dialog) {
            QCOMPARE(child<QComboBox>(dialog, "searchname")->currentIndex(), 3);
            dialog->hide();
        });
        action("fullsearch")->trigger();
    }

    // Text typed in a navigator box and left by Escape, Tab or the close box
    // lists nothing; an item chosen from the list does.
    void navigatorTypedTextListsNothing()
    {
        for (const auto &[typed, leave] : {std::pair{u"مريم"_qs, 0}, std::pair{u"طه"_qs, 1}, std::pair{u"يوسف"_qs, 2}}) {
            guitest::whenModal([&, typed, leave](QWidget *dialog) {
                auto *name = child<QComboBox>(dialog, "searchname");
                name->setFocus();
                name->lineEdit()->selectAll();
                // Key by key, as typed on an Arabic layout.
                for (const QChar c : typed)
                    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QCOMPARE(name->currentText(), typed);
                if (leave == 0) {
                    QTest::keyClick(name, Qt::Key_Escape);
                } else if (leave == 1) {
                    QTest::keyClick(name, Qt::Key_Tab);
                    QVERIFY(!name->hasFocus());
                    QCOMPARE(w->listing().count(), 0);
                    dialog->hide();
                } else {
                    dialog->close();
                }
                QVERIFY(!dialog->isVisible());
            });
            action("fullsearch")->trigger();
            QCOMPARE(w->listing().count(), 0);
        }
        guitest::whenModal([](QWidget *dialog) {
            auto *name = child<QComboBox>(dialog, "searchname");
            name->showPopup();
            QAbstractItemView *view = name->view();
            const QModelIndex sura = view->model()->index(18, 0);
            view->scrollTo(sura);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(sura).center());
        });
        action("fullsearch")->trigger();
        QCOMPARE(lines().value(0), u"مريم : 1"_qs);
    }
};

QTEST_MAIN(NavigatorWindowTest)
#include "test_navigatorwindow.moc"
