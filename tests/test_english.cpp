// The interface in English: every window the main window opens and every
// menu speaks English and lies left to right; Arabic again gives back the
// very captions it had; the language menu keeps the reader's choice.
#include "guitest.h"

#include "app/languagemenu.h"
#include "browse/suratables.h"
#include "data/userstore.h"
#include "ui/translation.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

using namespace zarfan;
using guitest::child;

namespace {

bool hasArabic(const QString &text)
{
    static const QRegularExpression arabic(QStringLiteral("[\\x{0600}-\\x{06FF}\\x{FB50}-\\x{FDFF}\\x{FE70}-\\x{FEFF}]"));
    return text.contains(arabic);
}

// The suras' names keep their Arabic form beside the English.
QString withoutSuraNames(QString text)
{
    for (int sura = 114; sura >= 1; --sura)
        text.remove(SuraTables::name(sura));
    return text;
}

// What a window shows of itself, one "object: kind = text" a line: its title,
// captions, headers, tool tips, accessible names and its actions' texts.
// What it shows of the scripture (text boxes, lists, combo items) is left out.
QStringList captions(QWidget *window)
{
    QStringList out;
    const auto add = [&](const QObject *o, const char *kind, const QString &text) {
        if (!text.isEmpty())
            out.append(o->objectName() + u": "_qs + QLatin1String(kind) + u" = "_qs + text);
    };
    add(window, "title", window->windowTitle());
    add(window, "direction", window->layoutDirection() == Qt::LeftToRight ? u"left to right"_qs : u"right to left"_qs);
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : widgets) {
        if (w != window && (!w->isVisibleTo(window) || w->isWindow()))
            continue;
        add(w, "tip", w->toolTip());
        add(w, "name", w->accessibleName());
        add(w, "description", w->accessibleDescription());
        if (auto *label = qobject_cast<QLabel *>(w))
            add(w, "label", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            add(w, "button", button->text());
        if (auto *group = qobject_cast<QGroupBox *>(w))
            add(w, "group", group->title());
        if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(w, "tab", tabs->tabText(i));
        }
        if (auto *table = qobject_cast<QTableWidget *>(w)) {
            for (int i = 0; i < table->columnCount(); ++i)
                add(w, "header", table->horizontalHeaderItem(i) ? table->horizontalHeaderItem(i)->text() : QString());
        }
    }
    for (const QAction *a : window->findChildren<QAction *>()) {
        add(a, "action", a->text());
        add(a, "action tip", a->toolTip() == QString(a->text()).remove(u'&') ? QString() : a->toolTip());
    }
    for (const QMenu *m : window->findChildren<QMenu *>())
        add(m, "menu", m->title());
    return out;
}

// The language menu names each language in its own tongue in both interfaces.
bool namesALanguage(const QString &line)
{
    // The translations are offered by their own language's names too.
    return line.endsWith(u" = اللغة / Language"_qs) || line.endsWith(u" = العربية"_qs) || line.startsWith(u"translation_"_qs);
}

} // namespace

class EnglishTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT

    // The windows the main window opens, by the actions a reader uses, each
    // read while it is up; the modal ones are closed again.
    QMap<QString, QStringList> openEveryWindow()
    {
        QMap<QString, QStringList> seen;
        seen.insert(u"main"_qs, captions(w.get()));
        for (const char *modal : {"about", "update", "chosen", "tools", "fullsearch"}) {
            guitest::whenModal([&seen, modal](QWidget *dialog) {
                seen.insert(QString::fromLatin1(modal), captions(dialog));
                dialog->close();
            });
            action(modal)->trigger();
        }
        for (const char *name : {"subjects", "distribution", "khatma", "resultstext", "readingwindow", "notesBrowserAction",
                                 "ayaListsAction", "memoriseprogressaction", "recitalaction", "reciteSources",
                                 "reciteOffline", "reciteSaved"})
            action(name)->trigger();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != w.get() && window->isVisible() && !window->objectName().isEmpty())
                seen.insert(window->objectName(), captions(window));
        }
        return seen;
    }

    QMap<QString, QStringList> arabicCaptions_;

private slots:
    void initTestCase()
    {
        startCase();
        // Today's interface, as the program starts it.
        applyLanguage(Language::Arabic);
        start();
        w->menuBar()->addMenu(new LanguageMenu(nullptr, w.get()));
        arabicCaptions_ = openEveryWindow();
        stop();
        QVERIFY(arabicCaptions_.size() >= 15);
    }
    void cleanupTestCase() { applyLanguage(Language::Arabic); }
    void cleanup() { stop(); }

    void everyWindowInEnglish()
    {
        guitest::MessageLog log;
        applyLanguage(Language::English);
        start();
        w->menuBar()->addMenu(new LanguageMenu(nullptr, w.get()));
        QCOMPARE(w->layoutDirection(), Qt::LeftToRight);
        QCOMPARE(QLocale().toString(1446), u"1,446"_qs);
        const QMap<QString, QStringList> english = openEveryWindow();
        QCOMPARE(english.keys(), arabicCaptions_.keys());
        QStringList arabic;
        for (auto it = english.begin(); it != english.end(); ++it) {
            for (const QString &line : it.value()) {
                if ((hasArabic(withoutSuraNames(line)) && !namesALanguage(line)) || line.endsWith(u"direction = right to left"))
                    arabic.append(it.key() + u" > "_qs + line);
            }
        }
        QVERIFY2(arabic.isEmpty(), qPrintable(arabic.join(u'\n')));
        // Qt's own buttons leave Qt's Arabic catalogue behind.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_qs);
    }

    void arabicAgainAsToday()
    {
        applyLanguage(Language::English);
        applyLanguage(Language::Arabic);
        start();
        w->menuBar()->addMenu(new LanguageMenu(nullptr, w.get()));
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        QVERIFY(hasArabic(QCoreApplication::translate("QPlatformTheme", "Cancel")));
        const QMap<QString, QStringList> again = openEveryWindow();
        for (auto it = again.begin(); it != again.end(); ++it)
            QCOMPARE(it.value(), arabicCaptions_.value(it.key()));
    }

    void choiceKeptForTheNextStart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        QCOMPARE(storedLanguage(path), Language::Arabic); // no file yet
        guitest::MessageLog log;
        start();
        {
            UserStore store;
            store.open(path);
            auto *menu = new LanguageMenu(&store, w.get());
            w->menuBar()->addMenu(menu);
            QCOMPARE(child<QAction>(w.get(), "language_ar")->isChecked(), true);
            child<QAction>(w.get(), "language_en")->trigger();
            QVERIFY(!log.lines().isEmpty() && log.lines().constLast().contains(u"التشغيل التالي"_qs));
            // Read while the store is open, as a second copy would.
            QCOMPARE(storedLanguage(path), Language::English);
            child<QAction>(w.get(), "language_ar")->trigger();
        }
        QCOMPARE(storedLanguage(path), Language::Arabic);
    }
};

QTEST_MAIN(EnglishTest)
#include "test_english.moc"
