#include "translationbench.h"

#include "app/mainwindow.h"
#include "search/searchstatement.h"
#include "state/readingstate.h"
#include "translation/translationlibrary.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace zarfan;

namespace {

// Resident memory of the process, in bytes.
double residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toDouble() * double(sysconf(_SC_PAGESIZE));
}

void require(bool ok, const char *what)
{
    if (ok)
        return;
    std::fprintf(stderr, "zarfan-bench: %s gave nothing\n", what);
    std::exit(1);
}

} // namespace

std::vector<TranslationBenchRow> translationRows(MainWindow &w, const std::function<double(const std::function<void()> &)> &timeMs)
{
    std::vector<TranslationBenchRow> out;
    TranslationLibrary &library = w.state().translations();
    auto *searcht = w.findChild<QLineEdit *>(QStringLiteral("searcht"));
    const auto search = [&](const QString &text) {
        searcht->setText(text);
        w.runSearch();
    };
    library.choose(QString());
    search(QStringLiteral("2:255"));
    QCoreApplication::processEvents();
    const double without = residentBytes();

    // Switching edition: from the menu to the aya's translation shown.
    const auto choose = [&](const char *key) {
        w.findChild<QAction *>(QStringLiteral("translation_") + QString::fromLatin1(key))->trigger();
    };
    // Memory with the English translation shown.
    choose("en.sahih");
    QCoreApplication::processEvents();
    const double with = residentBytes();
    std::printf("(resident memory with en.sahih shown: %.1f MiB; without a translation %.1f MiB; ratio %.3f)\n",
                with / 1048576, without / 1048576, without > 0 ? with / without : 0);
    out.push_back({QStringLiteral("switch translation edition, aya shown (ur.maududi / en.sahih in turn)"), timeMs([&] {
                       choose("ur.maududi");
                       choose("en.sahih");
                   }) / 2});
    auto *pane = w.findChild<QPlainTextEdit *>(QStringLiteral("translationtext"));
    require(pane && !pane->toPlainText().isEmpty(), "the translation pane");

    // The same search, a word of one meaning, in the translation and in the
    // Muyassar tafsir, from Enter to line 0 shown.
    SearchOptions options = w.state().searchOptions();
    w.state().setSearchTarget(SearchTarget::Translation);
    search(QStringLiteral("merciful"));
    require(w.listing().count() > 0, "search \"merciful\" in en.sahih");
    TranslationBenchRow found{QStringLiteral("search \"merciful\" in the translation (compared: \"الرحيم\" in Muyassar)")};
    found.ms = timeMs([&] { search(QStringLiteral("merciful")); });
    w.state().setSearchTarget(SearchTarget::Muyassar);
    search(QStringLiteral("الرحيم"));
    require(w.listing().count() > 0, "search \"الرحيم\" in Muyassar");
    found.compared = timeMs([&] { search(QStringLiteral("الرحيم")); });
    w.state().setSearchTarget(options.target);
    out.push_back(found);

    // A word's gloss as the pointer rests on it in the aya box.
    search(QStringLiteral("2:255"));
    auto *box = w.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    QTextCursor word(box->document());
    word.setPosition(3);
    const QPoint at = box->cursorRect(word).center();
    QHelpEvent help(QEvent::ToolTip, at, box->viewport()->mapToGlobal(at));
    out.push_back({QStringLiteral("a word's gloss on hover (aya box, 2:255)"), timeMs([&] {
                       for (int i = 0; i < 100; ++i)
                           QCoreApplication::sendEvent(box->viewport(), &help);
                   }) / 100});

    library.choose(QString());
    return out;
}
