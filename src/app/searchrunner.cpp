#include "searchrunner.h"

#include "state/readingstate.h"
#include "state/searchrequest.h"
#include "didyoumeanbar.h"
#include "ui/messages.h"
#include "notes/windows/notescommands.h"
#include "browse/suratables.h"
#include "search/ayareference.h"
#include "search/divisionreference.h"
#include "search/instantsearch.h"
#include "search/matchmarks.h"
#include "state/searchmemory.h"
#include "translationsearchcommand.h"
#include "windowopener.h"

#include <QAction>
#include <QLineEdit>
#include <QStatusBar>

namespace zarfan {

SearchRunner::SearchRunner(ReadingState &state, QLineEdit *box, WindowOpener &windows, NotesCommands &notes, QStatusBar *bar,
                           QAction *instantItem, QWidget *window)
    : QObject(window), state_(state), box_(box), windows_(windows), notes_(notes), window_(window),
      didYouMean_(new DidYouMeanBar(window)), instant_(new InstantSearch(this)),
      translation_(new TranslationSearchCommand(state, window))
{
    bar->addWidget(didYouMean_);
    connect(didYouMean_, &DidYouMeanBar::chosen, this, [this](const QString &text) {
        box_->setText(text);
        run();
    });
    connect(box, &QLineEdit::textEdited, instant_, &InstantSearch::textEdited);
    connect(instant_, &InstantSearch::searchDue, this, [this] { run(std::nullopt, false); });
    instantItem->setChecked(state_.userStore() && state_.userStore()->value(QStringLiteral("instantSearch")) == "1");
    instant_->setOn(instantItem->isChecked());
    connect(instantItem, &QAction::toggled, this, [this](bool on) {
        instant_->setOn(on);
        if (UserStore *store = state_.userStore())
            store->setValue(QStringLiteral("instantSearch"), on ? "1" : "0");
    });
}

void SearchRunner::searchByKey(const QString &key, WordKey by)
{
    box_->setText(key);
    run(by);
}

void SearchRunner::run(std::optional<WordKey> key, bool record)
{
    if (record)
        instant_->cancel();
    const QString text = trimBlanks(box_->text());
    // Blanks typed are left alone while the reader is still typing.
    if (record && text != box_->text())
        box_->setText(text);
    if (text.isEmpty())
        return;
    if (record)
        state_.recordSearch(text);
    didYouMean_->propose({});
    if (!key && state_.searchOptions().target == SearchTarget::Notes) {
        notes_.searchNotes(text);
        return;
    }
    if (!key && state_.searchOptions().target == SearchTarget::Translation) {
        translation_->search(text);
        return;
    }
    if (readsAsReference(text, state_.searchOptions())) {
        goToReference(text);
        return;
    }
    // "سورة البقرة", as the completion offers it: the whole sura.
    if (const int sura = suraNamedAlone(text); sura > 0 && state_.searchOptions().target == SearchTarget::Quran) {
        goToReference(QStringLiteral("%1:1-%2").arg(sura).arg(SuraTables::ayaCount(sura)));
        return;
    }
    windows_.optionsWindow(); // the first search loads it hidden
    const WordSearch search = forgivingSearchRequest(text, state_.searchOptions(), key, state_.searchMemory());
    if (!search.message.isEmpty()) {
        showMessage(window_, search.message);
        return;
    }
    if (!search.request)
        return;
    if (const auto column = tafsirOf(search.request->match->target))
        emit tafsirWanted(*column);
    state_.produceListing(*search.request);
    if (state_.listing().count() == 0)
        didYouMean_->propose(state_.searchMemory().didYouMean(text, searchOptionsWithKey(state_.searchOptions(), key)), box_);
}

void SearchRunner::goToReference(const QString &text)
{
    if (const DivisionReference division = parseDivisionReference(text); division.kind != DivisionReference::Kind::NotADivision) {
        if (division.kind == DivisionReference::Kind::Valid)
            state_.produceListing({division.statement(), qint16(1), ReadingState::Guard::AllayaasearchOnly});
        else
            showMessage(window_, division.message());
        return;
    }
    const AyaReference reference = parseAyaReference(text);
    if (reference.kind != AyaReference::Kind::Valid) {
        showMessage(window_, reference.message());
        return;
    }
    state_.produceListing({reference.statement(), qint16(0), ReadingState::Guard::AllayaasearchOnly});
}

} // namespace zarfan
