#include "readingstate.h"

#include "data/connectionstring.h"
#include "listingfill.h"
#include "browse/programstate.h"
#include "state/searchmemory.h"
#include "translation/translationlibrary.h"
#include "notes/notesstore.h"

#include <algorithm>

namespace zarfan {

ReadingState::ReadingState(const QString &appFolder, QObject *parent)
    : QObject(parent), appFolder_(appFolder)
{
    Adodc1.setConnectionString(connectionString());
    wordsControl_.setConnectionString(connectionString());
}

ReadingState::~ReadingState() = default;

void ReadingState::startSearchMemory()
{
    if (memory_ || memoryRead_.valid())
        return;
    memoryRead_ = std::async(std::launch::async, [this, connection = connectionString()] {
        MemoryRead read{std::make_unique<SearchMemory>(), std::make_unique<DataControl>()};
        read.control->setConnectionString(connection);
        read.control->keepApart();
        read.memory->load(*read.control);
        // Taken up in this object's thread (unless a search took it first);
        // should this object end first, its end waits for the thread and
        // drops the call.
        QMetaObject::invokeMethod(
            this,
            [this] {
                (void)searchMemory();
                emit searchMemoryRead();
            },
            Qt::QueuedConnection);
        return read;
    });
}

const SearchMemory &ReadingState::searchMemory()
{
    if (!memory_ && memoryRead_.valid()) {
        MemoryRead read = memoryRead_.get();
        read.control->share();
        memoryControl_ = std::move(read.control);
        memory_ = std::move(read.memory);
    }
    if (!memory_) {
        memory_ = std::make_unique<SearchMemory>();
        memory_->load(connectionString());
    }
    return *memory_;
}

TranslationLibrary &ReadingState::translations()
{
    if (!translations_)
        translations_ = new TranslationLibrary(connectionString(), store_, this);
    return *translations_;
}

void ReadingState::setUserStore(UserStore *store)
{
    store_ = store && store->isOpen() ? store : nullptr;
    if (translations_)
        translations_->setStore(store_);
    chosen_ = ChosenList();
    khatma_.load(store_);
    if (!store_)
        return;
    // A row that names no aya would cost every listing its whole range.
    if (const int setAside = NotesStore(*store_).setAsideInvalid(); setAside > 0)
        notesMessage_ = NotesStore::setAsideMessage(setAside);
    store_->setDamageHandler([this](const QString &aside) {
        for (int i = 0; i < chosen_.count(); ++i)
            store_->addChosen(chosen_.addaya.at(i), chosen_.hideadd.at(i));
        khatma_.rewrite();
        emit userDataMovedAside(aside);
    });
    for (const auto &[line, id] : store_->chosen()) {
        chosen_.addaya.append(line);
        chosen_.hideadd.append(id);
    }
}

ChosenList::AddResult ReadingState::addChosen(const QString &line, const QString &id, const QString &displayedText)
{
    const ChosenList::AddResult result = chosen_.add(line, id, displayedText);
    if (result == ChosenList::AddResult::Added && store_)
        store_->addChosen(line, id);
    return result;
}

bool ReadingState::removeChosenAt(int index)
{
    const QString line = chosen_.addaya.value(index);
    if (!chosen_.removeAt(index))
        return false;
    if (store_)
        store_->removeChosen(line);
    return true;
}

QStringList ReadingState::searchHistory() const { return store_ ? store_->history() : QStringList(); }

void ReadingState::recordSearch(const QString &text)
{
    if (store_)
        store_->addHistory(text);
}

void ReadingState::clearSearchHistory()
{
    if (store_)
        store_->clearHistory();
}

void ReadingState::loadMatchedWords(const SearchMatch *match)
{
    matchedWords_.clear();
    if (!match)
        return;
    // Every word of that root or lemma in the whole text, for the counts and
    // the marks.
    wordsControl_.setRecordSource(wordsQuery(match->needle, match->key, false));
    wordsControl_.refresh();
    for (; !wordsControl_.eof(); wordsControl_.moveNext()) {
        const qint64 id = wordsControl_.field(0).toLongLong();
        QList<int> &words = matchedWords_[ayaOfWordRow(id)];
        if (!words.contains(wordOfWordRow(id)))
            words.append(wordOfWordRow(id));
    }
    for (QList<int> &words : matchedWords_)
        std::sort(words.begin(), words.end());
}

QString ReadingState::connectionString() const { return buildConnectionString(appFolder_); }

void ReadingState::setZoom(int percent)
{
    if (percent == zoom_)
        return;
    zoom_ = percent;
    emit zoomChanged(percent);
}

void ReadingState::setCurrentAya(int id)
{
    if (id == currentAya_)
        return;
    currentAya_ = id;
    emit currentAyaChanged(id);
}

void ReadingState::chooseAya(const ResultRecord &record)
{
    setCurrentAya(record.id.toInt());
    emit ayaChosen(record);
}

void ReadingState::setAyaFont(const QFont &font)
{
    ayaFont_ = font;
    emit ayaFontChanged(font);
}

SearchOptions ReadingState::searchOptions() const
{
    SearchOptions o = options_;
    o.searchtype = programState().searchtype;
    o.target = target_;
    return o;
}

void ReadingState::produceListing(const Request &request)
{
    if (fillsOnStack_ > 0) {
        // Called from inside a running fill's yield: the running fill stops at
        // once and the outermost call fills this request next.
        pending_ = request;
        listing_.abandon();
        return;
    }
    std::optional<Request> next = request;
    while (next) {
        const Request r = *next;
        pending_.reset();
        ++fillsOnStack_;
        emit listingCommandsEnabled(r.guard, false);
        Adodc1.setRecordSource(r.statement);
        if (r.mixedsora)
            programState().mixedsora = *r.mixedsora;
        listingMatch_ = r.match;
        listingTerms_ = r.terms;
        const bool byWords = r.match && r.match->key != WordKey::Letters;
        FillOutcome outcome = FillOutcome::Finished;
        if (r.records) {
            matchedWords_ = r.words ? *r.words : WordsByAya();
            listing_.clear();
            for (const ResultRecord &record : *r.records)
                listing_.append(record);
            listing_.finish();
        } else {
            loadMatchedWords(byWords ? &*r.match : nullptr);
            EventYield yield;
            outcome = fillListing(Adodc1, listing_, yield, r.match && !byWords ? &*r.match : nullptr, byWords ? &matchedWords_ : nullptr);
        }
        if (outcome != FillOutcome::Superseded && !pending_ && r.refreshAfter)
            Adodc1.refresh();
        --fillsOnStack_;
        emit listingCommandsEnabled(r.guard, true);
        if (outcome == FillOutcome::TooComplex && !pending_)
            emit statementTooComplex();
        next = pending_;
    }
}

} // namespace zarfan
