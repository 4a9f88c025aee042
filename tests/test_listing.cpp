#include "browse/ayadisplay.h"
#include "state/listingfill.h"
#include "browse/resultlisting.h"
#include "browse/suratables.h"
#include "compose/composedexport.h"
#include "compose/composer.h"
#include "data/connectionstring.h"
#include "data/queries.h"
#include "testutil.h"

#include <QSignalSpy>
#include <QXmlStreamReader>
#include <QtTest>

using namespace zarfan;

class ListingTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    DataControl control, display;
    ResultListing listing;

    QStringList lines() const
    {
        QStringList out;
        for (int k = 0; k < listing.rowCount(); ++k)
            out.append(listing.data(listing.index(k), Qt::DisplayRole).toString());
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testutil::makeDatabase(dir.filePath(u"zarfan.zf"_qs), testutil::miniSql()));
        control.setConnectionString(buildConnectionString(dir.path()));
        display.setConnectionString(buildConnectionString(dir.path()));
    }

    void suraTables()
    {
        QCOMPARE(SuraTables::name(38), u"صـ"_qs);
        // Marks in the order the table keeps them: shadda before the vowel.
        QCOMPARE(SuraTables::name(73), u"\u0627\u0644\u0645\u0632\u0651\u0645\u0651\u0650\u0644"_qs);
        QCOMPARE(SuraTables::unmarkedName(73), u"المزمل"_qs);
        QCOMPARE(SuraTables::unmarkedName(104), u"الهمزة"_qs);
        QCOMPARE(SuraTables::unmarkedName(2), SuraTables::name(2));
        QCOMPARE(SuraTables::type(1), u"مكية"_qs);
        QCOMPARE(SuraTables::type(56), u"مدنية"_qs);
        QCOMPARE(SuraTables::type(57), u"مدنية"_qs);
        int total = 0, medinan = 0;
        for (int s = 1; s <= 114; ++s) {
            total += SuraTables::ayaCount(s);
            medinan += SuraTables::type(s) == u"مدنية"_qs;
        }
        QCOMPARE(total, 6236);
        QCOMPARE(medinan, 29);
        QCOMPARE(SuraTables::name(0), QString());
        QCOMPARE(SuraTables::name(115), QString());
    }

    void fillAndFinish()
    {
        QSignalSpy finished(&listing, &ResultListing::finished);
        control.setRecordSource(query::juzOrdered(1));
        EventYield yield;
        QCOMPARE(fillListing(control, listing, yield), FillOutcome::Finished);
        QCOMPARE(lines(), QStringList({u"الفاتحة : 1"_qs, u"الفاتحة : 2"_qs, u"الفاتحة : 3"_qs, u"البقرة : 1"_qs, u"البقرة : 2"_qs}));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 5);
        const ResultRecord &r = listing.at(3);
        QCOMPARE(QStringList({r.id, r.sura, r.aya, r.juz, r.page}), QStringList({u"4"_qs, u"2"_qs, u"1"_qs, u"1"_qs, u"2"_qs}));

        control.setRecordSource(query::suraOrdered(99));
        QCOMPARE(fillListing(control, listing, yield), FillOutcome::Finished);
        QCOMPARE(listing.count(), 0);
        QCOMPARE(finished.last().first().toInt(), 0);
    }

    // A fill started inside another fill's yield replaces it; lines never mix.
    void nestedFillWins()
    {
        control.setRecordSource(query::juzOrdered(1));
        bool nestedRan = false;
        QTimer::singleShot(0, this, [&] {
            DataControl other;
            other.setConnectionString(buildConnectionString(dir.path()));
            other.setRecordSource(query::suraOrdered(114));
            EventYield inner(0);
            QCOMPARE(fillListing(other, listing, inner), FillOutcome::Finished);
            nestedRan = true;
        });
        EventYield everyRow(0);
        QCOMPARE(fillListing(control, listing, everyRow), FillOutcome::Superseded);
        QVERIFY(nestedRan);
        QCOMPARE(lines(), QStringList({u"الناس : 1"_qs}));
    }

    // The same data control refreshed under the walk: the outer walk ends.
    void nestedFillOnSameControl()
    {
        control.setRecordSource(query::juzOrdered(1));
        QTimer::singleShot(0, this, [&] {
            control.setRecordSource(query::suraOrdered(2));
            EventYield inner(0);
            fillListing(control, listing, inner);
        });
        EventYield everyRow(0);
        QCOMPARE(fillListing(control, listing, everyRow), FillOutcome::Superseded);
        QCOMPARE(lines(), QStringList({u"البقرة : 1"_qs, u"البقرة : 2"_qs, u"البقرة : 3"_qs}));
    }

    void displayOfALine()
    {
        control.setRecordSource(query::suraOrdered(1));
        EventYield yield;
        fillListing(control, listing, yield);
        // Stored blanks at either end of the aya are trimmed before the reference.
        AyaView v = displayLine(display, listing, 2, false);
        QCOMPARE(v.text, u"الْوَادِي الْكَبِيرُ وَالنَّهْرُ [الفاتحة : 3]"_qs);
        QCOMPARE(v.type, u"مكية"_qs);
        QCOMPARE(v.ayaCount, u"7"_qs);
        QCOMPARE(v.page, u"1"_qs);
        v = displayLine(display, listing, 2, true);
        QCOMPARE(v.text, u"الوادي الكبير والنهر [الفاتحة : 3]"_qs);
        QCOMPARE(tafsirText(display, TafsirColumn::Jalalayn), u"شرح ثالث"_qs);
        QCOMPARE(tafsirText(display, TafsirColumn::Muyassar), u"بيان ثالث"_qs);
        // Out of range: nothing.
        QCOMPARE(displayLine(display, listing, 3, false).text, QString());
    }

    // The page of composed text is well-formed XHTML, right to left, and its
    // paragraphs hold each chosen aya exactly, references in their spans.
    void composedPage()
    {
        DataControl real;
        real.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        const QStringList ids = {u"262"_qs, u"6222"_qs, u"1"_qs};
        const QStringList refs = {u"البقرة : 255"_qs, u"الإخلاص : 1"_qs, u"الفاتحة : 1"_qs};
        const QByteArray page = composedAsHtml(Composer::chosen(real, ids, refs, false), u"Amiri"_qs, 16);
        QXmlStreamReader xml(page);
        QStringList paragraphs;
        QString direction;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"html")
                direction = xml.attributes().value(QStringLiteral("dir")).toString();
            else if (xml.name() == u"p")
                paragraphs.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(direction, u"rtl"_qs);
        const auto source = testutil::readSource();
        QCOMPARE(paragraphs.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(paragraphs[i], source[std::size_t(ids[i].toInt() - 1)].text + u" ["_qs + refs[i] + u']');
        for (const QString &ref : refs)
            QVERIFY(QString::fromUtf8(page).contains(u"<span class=\"ref\">["_qs + ref + u"]</span>"_qs));
    }

    void badSuraNumberEmptiesTheListing()
    {
        QTemporaryDir bad;
        QByteArray sql = testutil::miniSql();
        sql += "UPDATE Ayat SET soraano = 'abc' WHERE ID = 2;";
        QVERIFY(testutil::makeDatabase(bad.filePath(u"zarfan.zf"_qs), sql));
        testutil::ProblemCounter problems;
        DataControl dc;
        dc.setConnectionString(buildConnectionString(bad.path()));
        dc.setRecordSource(query::juzOrdered(1));
        EventYield yield;
        QCOMPARE(fillListing(dc, listing, yield), FillOutcome::Failed);
        QCOMPARE(listing.count(), 0);
        QCOMPARE(problems.messages.size(), 1);
    }
};

QTEST_GUILESS_MAIN(ListingTest)
#include "test_listing.moc"
