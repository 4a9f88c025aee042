#include "guitest.h"

#include "app/ayaboxgloss.h"
#include "compose/windows/composewindow.h"
#include "reading/windows/mushafview.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "data/connectionstring.h"
#include "data/userstore.h"
#include "makedb.h"
#include "translation/translationfolding.h"
#include "translation/translationlibrary.h"
#include "translation/windows/wordglosstip.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontMetrics>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>

using namespace zarfan;
using guitest::child;

namespace {

// The data's files, read here independently of the builder.
QList<QStringList> rowsOf(const QString &name)
{
    QFile file(testutil::dataDir() + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i)
        rows.append(lines.at(i).split(u'\t'));
    return rows;
}

struct Data {
    QList<QStringList> editions = rowsOf(u"translation-editions.tsv"_qs);
    QHash<QString, QStringList> texts; // by edition, by aya ID - 1
    QList<QStringList> words = rowsOf(u"words-en.tsv"_qs);
    Data()
    {
        for (const QStringList &r : rowsOf(u"translations.tsv"_qs))
            texts[r.at(0)].append(r.at(3));
    }
    QString gloss(int sura, int aya, int word) const
    {
        for (const QStringList &r : words)
            if (r.at(0).toInt() == sura && r.at(1).toInt() == aya && r.at(2).toInt() == word)
                return r.at(3) + u" ("_qs + r.at(4) + u')';
        return {};
    }
};

const Data &data()
{
    static const Data d;
    return d;
}

// What a reader means by a word, worked out apart from the program: marks
// gone, lower case, the Turkish i's and the Russian ё one letter.
QString plain(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == QChar(0x0131) || c == u'I')
            c = u'i';
        out.append(c.toLower());
    }
    return out;
}

// The aya IDs (among first..last) of an edition whose text holds the word.
QList<int> holding(const QString &edition, const QString &word, int first = 1, int last = 6236)
{
    const QRegularExpression whole(u"(^|[^\\w])"_qs + QRegularExpression::escape(plain(word)) + u"($|[^\\w])"_qs,
                                   QRegularExpression::UseUnicodePropertiesOption);
    QList<int> ids;
    const QStringList &texts = data().texts.value(edition);
    for (int id = first; id <= last && id <= texts.size(); ++id)
        if (whole.match(plain(texts.at(id - 1))).hasMatch())
            ids.append(id);
    return ids;
}

} // namespace

class TranslationTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> storeDir_; // each test's own
    std::unique_ptr<guitest::StoredState> stored_;

    void open()
    {
        w.reset();
        stored_ = std::make_unique<guitest::StoredState>(folder->path(), storeDir_->filePath(u"user.db"_qs));
        w = std::make_unique<MainWindow>(stored_->state);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QPlainTextEdit *pane() { return child<QPlainTextEdit>(w.get(), "translationtext"); }
    // The tip shown when the pointer rests at a point of a viewport.
    static QString tipAt(QWidget *viewport, QPoint at)
    {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &help);
        return QString(QToolTip::text()).remove(QChar(0x2066)).remove(QChar(0x2069));
    }
    QList<int> listedIds()
    {
        QList<int> ids;
        for (int k = 0; k < w->listing().count(); ++k)
            ids.append(w->listing().at(k).id.toInt());
        return ids;
    }
    void searchIn(int target, int scope = 0, int sura = -1)
    {
        guitest::whenModal([=](QWidget *dialog) {
            child<QComboBox>(dialog, "searchin")->setCurrentIndex(target);
            if (scope == 3) {
                child<QRadioButton>(dialog, "soraop")->setChecked(true);
                child<QComboBox>(dialog, "sora")->setCurrentIndex(sura);
            } else {
                child<QRadioButton>(dialog, "allsearch")->setChecked(true);
            }
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
    }

private slots:
    void initTestCase() { startCase(); }
    void init()
    {
        storeDir_ = std::make_unique<QTemporaryDir>();
        start();
        open();
    }
    void cleanup()
    {
        stop();
        stored_.reset();
    }

    // The database holds every edition as listed, every text verbatim and
    // every word's gloss; the notices name each edition, its translator, its
    // source and the terms.
    void databaseAndNotices()
    {
        QCOMPARE(data().editions.size(), 11);
        DataControl dc;
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        dc.setRecordSource(u"SELECT * FROM TranslationEditions order by ID"_qs);
        QStringList listed;
        for (const QStringList &e : data().editions)
            listed.append(e.join(u'|'));
        QCOMPARE(testutil::walk(dc, {u"edition"_qs, u"language"_qs, u"direction"_qs, u"languageName"_qs, u"translator"_qs, u"source"_qs}),
                 listed);
        dc.setRecordSource(u"SELECT e.edition, t.text FROM Translations t JOIN TranslationEditions e ON e.ID = t.edition "
                           "where t.ID in (1, 262, 6236) order by e.ID, t.ID"_qs);
        QStringList expected;
        for (const QStringList &e : data().editions)
            for (int id : {1, 262, 6236})
                expected.append(e.at(0) + u'|' + data().texts.value(e.at(0)).at(id - 1));
        QCOMPARE(testutil::walk(dc, {u"edition"_qs, u"text"_qs}), expected);
        dc.setRecordSource(u"SELECT count(*) AS n, sum(length(text)) AS chars FROM Translations"_qs);
        QVERIFY(dc.refresh());
        qint64 chars = 0;
        for (const QStringList &texts : data().texts)
            for (const QString &t : texts)
                chars += t.toUcs4().size();
        QCOMPARE(dc.field(u"n").toInt(), 11 * 6236);
        QCOMPARE(dc.field(u"chars").toLongLong(), chars);
        dc.setRecordSource(u"SELECT count(*) AS n FROM WordGlosses"_qs);
        QVERIFY(dc.refresh());
        QCOMPARE(dc.field(u"n").toInt(), int(data().words.size()));

        QFile file(makedb::defaultNoticesPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString notices = QString::fromUtf8(file.readAll());
        for (const QStringList &e : data().editions) {
            QVERIFY2(notices.contains(e.at(0)), qPrintable(e.at(0)));
            QVERIFY2(notices.contains(e.at(4)) && notices.contains(e.at(5)), qPrintable(e.at(5)));
        }
        for (const char *term : {"non-commercial", "discretion", "verbatim", "Quran.com"})
            QVERIFY2(notices.contains(QString::fromLatin1(term)), term);
    }

    void folding()
    {
        QCOMPARE(foldTranslation(u"the Entirely Merciful,"_qs), u" the entirely merciful "_qs);
        QCOMPARE(foldTranslation(u"(Lauḥ Maḥfūẓ) Ya`jūj"_qs), u" lauh mahfuz yajuj "_qs);
        QCOMPARE(foldTranslation(u"İsrailoğulları ılık"_qs), foldTranslation(u"israilogullari ilik"_qs));
        QCOMPARE(foldTranslation(u"Всё её"_qs), u" все ее "_qs);
        // й stays a letter of its own.
        QCOMPARE(foldTranslation(u"мой"_qs), u" мой "_qs);
        QVERIFY(hasUnspacedScript(foldTranslation(u"真主"_qs)));
    }

    // Chosen from the menu beside the tafsir's, kept across a restart,
    // shown in its own direction and in a face that has its letters.
    void choiceDirectionAndFont()
    {
        QMenu *menu = w->findChild<QMenu *>(u"translation"_qs);
        QVERIFY(menu);
        const QList<QAction *> bar = w->menuBar()->actions();
        QCOMPARE(bar.indexOf(menu->menuAction()), bar.indexOf(child<QMenu>(w.get(), "tafser")->menuAction()) + 1);
        QCOMPARE(menu->title(), u"الترجمة"_qs);
        QCOMPARE(action("translationnone")->text(), u"بدون ترجمة"_qs);
        QVERIFY(action("translationnone")->isChecked());
        QCOMPARE(action("translation_en.sahih")->text(), u"English — Saheeh International"_qs);
        QVERIFY(!pane()->isVisible());
        search(u"2:255"_qs);
        action("translation_ur.maududi")->trigger();
        QVERIFY(pane()->isVisible());
        QCOMPARE(pane()->toPlainText(), data().texts.value(u"ur.maududi"_qs).at(261));
        QCOMPARE(pane()->document()->defaultTextOption().textDirection(), Qt::RightToLeft);
        QCOMPARE(QFontInfo(pane()->font()).family(), u"Noto Nastaliq Urdu"_qs);
        QVERIFY(child<QLabel>(w.get(), "translationcredit")->text().contains(u"https://tanzil.net/trans/ur.maududi"_qs));
        QVERIFY(child<QLabel>(w.get(), "translationcredit")->text().contains(u"Abul A'la Maududi"_qs.toHtmlEscaped()));

        open(); // a restart over the same store
        QVERIFY(action("translation_ur.maududi")->isChecked());
        for (const char *key : {"zh.makin", "bn.bengali"}) {
            action((u"translation_"_qs + QString::fromLatin1(key)).toLatin1().constData())->trigger();
            search(u"1:1"_qs);
            const QString text = pane()->toPlainText();
            QCOMPARE(text, data().texts.value(QString::fromLatin1(key)).at(0));
            QCOMPARE(pane()->document()->defaultTextOption().textDirection(), Qt::LeftToRight);
            // Every letter of the text is in the face shown.
            const QFontMetrics metrics(pane()->font());
            for (char32_t c : text.toUcs4())
                if (QChar::isLetter(c))
                    QVERIFY2(metrics.inFontUcs4(c), key);
        }
        action("translationnone")->trigger();
        QVERIFY(!pane()->isVisible());
        open();
        QVERIFY(action("translationnone")->isChecked());
    }

    // The translation follows the aya shown as the listing's lines are chosen.
    void followsTheListing()
    {
        action("translation_en.sahih")->trigger();
        search(u"1:1-7"_qs);
        QCOMPARE(w->listing().count(), 7);
        for (int row : {3, 6}) {
            select(row);
            QCOMPARE(pane()->toPlainText(), data().texts.value(u"en.sahih"_qs).at(row));
        }
    }

    // A word's meaning: on the pointer, by Ctrl+G at the caret and from the
    // context menu; an imla'i word through its aligned Uthmani word, يا and
    // أيها both through the one Uthmani word يَٰٓأَيُّهَا.
    void glosses()
    {
        search(u"2:255"_qs);
        const QStringList words = aya(2, 255).text.split(u' ');
        QVERIFY(toolTipOn(words.at(0)).contains(data().gloss(2, 255, 1)));
        QVERIFY(toolTipOn(words.at(2)).contains(data().gloss(2, 255, 3)));

        search(u"2:21"_qs);
        const QString ya = aya(2, 21).text.section(u' ', 0, 0), ayyuha = aya(2, 21).text.section(u' ', 1, 1);
        QVERIFY(toolTipOn(ayyuha).contains(data().gloss(2, 21, 1)));
        auto *box = child<QPlainTextEdit>(w.get(), "Text1");
        box->setFocus();
        QTextCursor caret(box->document());
        caret.setPosition(1);
        box->setTextCursor(caret);
        QTest::keyClick(box, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(box->accessibleDescription(), data().gloss(2, 21, 1));
        QCOMPARE(QToolTip::text(), QChar(0x2066) + data().gloss(2, 21, 1) + QChar(0x2069));
        box->setAccessibleDescription({});
        chooseOnWord(aya(2, 21).text.section(u' ', 2, 2), u"معنى الكلمة"_qs);
        QCOMPARE(box->accessibleDescription(), data().gloss(2, 21, 2));
        Q_UNUSED(ya);
    }

    // "البحث في" the translation: folded for its script, a phrase, the
    // operators and a scope; the words marked in the translation shown.
    void searchInATranslation()
    {
        action("translation_en.sahih")->trigger();
        searchIn(4);
        search(u"merciful"_qs);
        QCOMPARE(listedIds(), holding(u"en.sahih"_qs, u"Merciful"_qs));
        const QString shown = pane()->toPlainText();
        QVERIFY(!pane()->extraSelections().isEmpty());
        for (const QTextEdit::ExtraSelection &s : pane()->extraSelections())
            QCOMPARE(s.cursor.selectedText().toLower(), u"merciful"_qs);
        Q_UNUSED(shown);
        search(u"merciful + forgiving - lord"_qs);
        QList<int> both;
        for (int id : holding(u"en.sahih"_qs, u"merciful"_qs))
            if (holding(u"en.sahih"_qs, u"forgiving"_qs, id, id).size() == 1 && holding(u"en.sahih"_qs, u"lord"_qs, id, id).isEmpty())
                both.append(id);
        QCOMPARE(listedIds(), both);
        search(u"\"the Entirely Merciful\""_qs);
        QCOMPARE(listedIds(), holding(u"en.sahih"_qs, u"the Entirely Merciful"_qs));

        searchIn(4, 3, 0); // sura 1 alone
        search(u"merciful"_qs);
        QCOMPARE(listedIds(), holding(u"en.sahih"_qs, u"merciful"_qs, 1, 7));

        searchIn(4);
        action("translation_id.affairs")->trigger();
        search(u"mahfuz"_qs);
        QVERIFY(!holding(u"id.affairs"_qs, u"Maḥfūẓ"_qs).isEmpty());
        QCOMPARE(listedIds(), holding(u"id.affairs"_qs, u"Maḥfūẓ"_qs));
        action("translation_tr.diyanet")->trigger();
        search(u"israiloğulları"_qs);
        QVERIFY(!listedIds().isEmpty());
        QCOMPARE(listedIds(), holding(u"tr.diyanet"_qs, u"İsrailoğulları"_qs));
        action("translation_ru.kuliev")->trigger();
        search(u"все"_qs);
        QCOMPARE(listedIds(), holding(u"ru.kuliev"_qs, u"всё"_qs));
        QVERIFY(listedIds().size() > holding(u"ru.kuliev"_qs, u"все"_qs).size() - listedIds().size());
        // Chinese by a run of its letters.
        action("translation_zh.makin")->trigger();
        search(u"真主"_qs);
        QList<int> zh;
        for (int id = 1; id <= 6236; ++id)
            if (data().texts.value(u"zh.makin"_qs).at(id - 1).contains(u"真主"_qs))
                zh.append(id);
        QCOMPARE(listedIds(), zh);
    }

    // "الترجمة تحت كل آية" in the continuous text; a word's meaning on the
    // pointer in both views and both scripts.
    void readingWindow()
    {
        action("translation_en.sahih")->trigger();
        search(u"2:255"_qs);
        QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
        ReadingWindow *r = w->readingCommands()->window();
        QVERIFY(r && QTest::qWaitForWindowExposed(r));
        const QString en255 = data().texts.value(u"en.sahih"_qs).at(261);

        // The printed page: the print alone, the meaning on the pointer.
        child<QComboBox>(r, "viewmode")->setCurrentIndex(0);
        auto *printed = child<MushafView>(r, "mushafpage");
        QTRY_VERIFY(!printed->wordRect(PageWord{2, 255, 1}).isEmpty());
        QCOMPARE(tipAt(printed->viewport(), printed->wordRect(PageWord{2, 255, 1}).center().toPoint()), data().gloss(2, 255, 1));
        // Ctrl+G on the word under the pointer, heard by a screen reader.
        r->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r));
        printed->setFocus();
        QTest::mouseMove(printed->viewport(), printed->wordRect(PageWord{2, 255, 3}).center().toPoint());
        QTest::keyClick(printed, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(printed->accessibleDescription(), data().gloss(2, 255, 3));

        child<QComboBox>(r, "viewmode")->setCurrentIndex(1);
        auto *under = child<QCheckBox>(r, "translationunder");
        QCOMPARE(under->text(), u"الترجمة تحت كل آية"_qs);
        QVERIFY(!r->page().text.contains(en255));
        under->click();
        QVERIFY(r->page().text.contains(en255));
        QCOMPARE(r->page().translationBlocks.size(), int(r->page().ayas.size()));
        for (const PageAya &a : r->page().ayas)
            QCOMPARE(r->page().text.mid(a.end + 1, data().texts.value(u"en.sahih"_qs).at(a.id - 1).size()),
                     data().texts.value(u"en.sahih"_qs).at(a.id - 1));
        auto *view = child<QTextEdit>(r, "pagetext");
        const auto tipOnWord = [&](int ayaId, int offset) {
            QTextCursor c(view->document());
            c.setPosition(int(r->page().find(ayaId)->start) + offset);
            view->ensureCursorVisible();
            return tipAt(view->viewport(), view->cursorRect(c).center());
        };
        QCOMPARE(tipOnWord(262, 2), data().gloss(2, 255, 1));
        // The Uthmani script, where يا أيها of 2:254 is one word.
        child<QComboBox>(r, "script")->setCurrentIndex(1);
        QVERIFY(r->page().text.contains(en255));
        QCOMPARE(tipOnWord(262, 2), data().gloss(2, 255, 1));
        QCOMPARE(tipOnWord(261, 2), data().gloss(2, 254, 1));
        // Kept, and gone with the translation.
        action("translationnone")->trigger();
        QVERIFY(!r->page().text.contains(en255));
        QVERIFY(stored_->state.translations().underEachAya());
        r->close();
    }

    // "مع الترجمة": the compose window and the copied aya carry the
    // translation after each aya and the credit line at the end.
    void composeAndCopyWithTheCredit()
    {
        action("translation_en.sahih")->trigger();
        action("translationexport")->trigger();
        search(u"2:255"_qs);
        w->addSelectedToChosen();
        const TranslationEdition *edition = stored_->state.translations().chosen();
        QVERIFY(edition);
        const QString en = data().texts.value(u"en.sahih"_qs).at(261);
        const QString credit = edition->credit();
        QVERIFY(credit.contains(u"Saheeh International"_qs) && credit.contains(u"https://tanzil.net/trans/en.sahih"_qs));
        QString composed;
        guitest::whenModal([&](QWidget *dialog) {
            auto *form5 = qobject_cast<ComposeWindow *>(dialog);
            QVERIFY(form5);
            QTRY_VERIFY(!form5->text().startsWith(u"يرجى الإنتظار"_qs));
            QVERIFY(child<QAction>(form5, "withtranslation")->isChecked());
            composed = form5->text();
            form5->close();
        });
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(composed, aya(2, 255).text + u" [البقرة : 255]\r\n"_qs + en + u"\r\n\r\n\r\n"_qs + credit + u"\r\n"_qs);
        action("copy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), text1() + u'\n' + en + u'\n' + credit);

        // The aya picture grows by the translation and its credit.
        action("readingwindow")->trigger();
        ReadingWindow *r = w->readingCommands()->window();
        QVERIFY(r && QTest::qWaitForWindowExposed(r));
        child<QComboBox>(r, "viewmode")->setCurrentIndex(0);
        const QImage with = r->ayaPicture(false);
        action("translationexport")->trigger();
        const QImage without = r->ayaPicture(false);
        QVERIFY(!without.isNull());
        QVERIFY(with.height() > without.height());
        r->close();
    }
};

QTEST_MAIN(TranslationTest)
#include "test_translation.moc"
