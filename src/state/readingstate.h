#pragma once

#include "browse/resultlisting.h"
#include "compose/chosenlist.h"
#include "data/datacontrol.h"
#include "data/userstore.h"
#include "khatma/khatmaplan.h"
#include "search/occurrences.h"
#include "search/searchstatement.h"

#include <QFont>
#include <QObject>
#include <future>
#include <memory>
#include <utility>
#include <optional>
#include <vector>

namespace zarfan {

class SearchMemory;
class TranslationLibrary;

// What the windows share while the user reads: the result listing and the
// one walk that fills it, the chosen ayas, the search options in force and
// the aya font. Owned by the application; windows hold a reference and follow
// its signals.
class ReadingState : public QObject {
    Q_OBJECT
public:
    explicit ReadingState(const QString &appFolder, QObject *parent = nullptr);
    ~ReadingState() override;

    // The texts, keys and vocabularies the forgiving search holds: what
    // startSearchMemory() reads, waited for, or else read here and now.
    const SearchMemory &searchMemory();
    // Starts reading the search memory on a thread of its own, keying a
    // connection of its own (shared once read); searchMemoryRead follows,
    // in this thread, once it is taken up.
    void startSearchMemory();
    bool hasSearchMemory() const { return memory_ != nullptr; }
    // The translations, with the chosen edition's texts; made on first use.
    TranslationLibrary &translations();

    const QString &appFolder() const { return appFolder_; }
    QString connectionString() const;

    ResultListing &listing() { return listing_; }
    DataControl &listingControl() { return Adodc1; }
    ChosenList &chosenList() { return chosen_; }

    // Where the reader's own data is kept, if anywhere: the chosen list is
    // restored from it now and written through on every change. When the
    // file turns out damaged later, the fresh one gets the list as shown and
    // userDataMovedAside is emitted.
    void setUserStore(UserStore *store);
    UserStore *userStore() const { return store_; }
    // The khatma plan, read from the store with the chosen list.
    KhatmaTracker &khatma() { return khatma_; }
    // Once, after the store was set: what was found wrong in the notes.
    QString takeNotesMessage() { return std::exchange(notesMessage_, QString()); }
    ChosenList::AddResult addChosen(const QString &line, const QString &id, const QString &displayedText);
    bool removeChosenAt(int index);
    // The search history, most recent first.
    QStringList searchHistory() const;
    void recordSearch(const QString &text);
    void clearSearchHistory();

    bool withoutDiacritics() const { return withoutDiacritics_; }
    void setWithoutDiacritics(bool on) { withoutDiacritics_ = on; }

    const QFont &ayaFont() const { return ayaFont_; }
    void setAyaFont(const QFont &font);
    // The text size of the aya boxes and the reading page, in percent of the
    // chosen font; the chosen font itself stays as saved.
    int zoom() const { return zoom_; }
    void setZoom(int percent);

    // The aya the reader is on: the listing line shown, or the aya picked on
    // the reading page. Record ID, 0 for none.
    int currentAya() const { return currentAya_; }
    void setCurrentAya(int id);
    // An aya picked on the reading page: it becomes current and the main
    // window shows it.
    void chooseAya(const ResultRecord &record);

    // The mode and positions of the options window while it lives; the scope
    // code is read from the program-wide searchtype at each search.
    SearchOptions searchOptions() const;
    void setSearchOptions(const SearchOptions &options) { options_ = options; }
    void resetSearchOptions() { options_ = SearchOptions(); }
    // Which text is searched: committed with the scope, kept when the options
    // window is destroyed.
    SearchTarget searchTarget() const { return target_; }
    void setSearchTarget(SearchTarget target) { target_ = target; }

    // Which start controls a producer disables while it fills.
    enum class Guard { AllayaasearchOnly, AlsoFullsearch };

    // A producer's request: the statement, the mixedsora value it stands for
    // (none: unchanged), its guard, and whether the data control is run once
    // more at the end (the whole-sura listing leaves it on the first row).
    struct Request {
        Request(QString sql, std::optional<qint16> mixed, Guard g, bool refresh = false)
            : statement(std::move(sql)), mixedsora(mixed), guard(g), refreshAfter(refresh)
        {
        }
        QString statement;
        std::optional<qint16> mixedsora;
        Guard guard = Guard::AllayaasearchOnly;
        bool refreshAfter = false;
        // A word search: what it looked for, for the counts and the highlight.
        std::optional<SearchMatch> match;
        // Rows already answered from memory: the listing takes them as they
        // are and the statement is not run. By root or lemma, their words.
        std::shared_ptr<const std::vector<ResultRecord>> records;
        std::shared_ptr<const WordsByAya> words;
        // The folded terms to mark when they are not the match's needle
        // alone (combined terms, words with their prefixes).
        QStringList terms;
    };

    // What the search behind the current listing looked for; none when
    // another producer filled it.
    const std::optional<SearchMatch> &listingMatch() const { return listingMatch_; }
    const QStringList &listingTerms() const { return listingTerms_; }
    // For a root or lemma search: the matched words of an aya of the listing,
    // and whether the data knows the root or lemma at all.
    QList<int> matchedWords(int ayaId) const { return matchedWords_.value(ayaId); }
    bool matchedKeyUnknown() const { return listingMatch_ && listingMatch_->key != WordKey::Letters && matchedWords_.isEmpty(); }

    // Fills the listing. A request made while a fill runs (from inside its
    // yield) supersedes it: the running fill stops and the newest request is
    // filled next, so no more than one fill is ever on the stack.
    void produceListing(const Request &request);
    bool isFilling() const { return fillsOnStack_ > 0; }
    // How many fills are running at once; never more than one.
    int fillsOnStack() const { return fillsOnStack_; }

    // The aya the recitation has reached: the windows make it current.
    void followRecitation(int ayaId) { emit recitationReached(ayaId); }

signals:
    void recitationReached(int ayaId);
    void listingCommandsEnabled(zarfan::ReadingState::Guard guard, bool enabled);
    void ayaFontChanged(const QFont &font);
    void zoomChanged(int percent);
    void currentAyaChanged(int id);
    void ayaChosen(const zarfan::ResultRecord &record);
    // The statement ran past its time limit and was stopped.
    void statementTooComplex();
    void userDataMovedAside(const QString &aside);
    void searchMemoryRead();

private:
    // What a thread reads of the search memory, with the connection it keyed.
    struct MemoryRead {
        std::unique_ptr<SearchMemory> memory;
        std::unique_ptr<DataControl> control;
    };
    void loadMatchedWords(const SearchMatch *match);

    QString appFolder_;
    DataControl Adodc1;
    ResultListing listing_;
    ChosenList chosen_;
    UserStore *store_ = nullptr;
    KhatmaTracker khatma_;
    QString notesMessage_;
    SearchOptions options_;
    SearchTarget target_ = SearchTarget::Quran;
    QFont ayaFont_;
    bool withoutDiacritics_ = false;
    int zoom_ = 100;
    int currentAya_ = 0;
    std::optional<Request> pending_;
    std::optional<SearchMatch> listingMatch_;
    QStringList listingTerms_;
    WordsByAya matchedWords_;
    DataControl wordsControl_;
    int fillsOnStack_ = 0;
    std::unique_ptr<SearchMemory> memory_;
    std::future<MemoryRead> memoryRead_;
    std::unique_ptr<DataControl> memoryControl_; // keeps the connection it keyed
    TranslationLibrary *translations_ = nullptr;
};

} // namespace zarfan
