#include "translationsearchcommand.h"

#include "data/datacontrol.h"
#include "search/foldedtext.h"
#include "search/searchstatement.h"
#include "state/readingstate.h"
#include "state/searchmemory.h"
#include "translation/translationlibrary.h"
#include "translation/translationsearch.h"
#include "ui/messages.h"

#include <QWidget>

namespace zarfan {

TranslationSearchCommand::TranslationSearchCommand(ReadingState &state, QWidget *window)
    : QObject(window), state_(state), window_(window)
{
    // Another search's listing takes the marks away.
    connect(&state_.listing(), &ResultListing::finished, this, [this] {
        if (!own_)
            state_.translations().setMarkedTerms({});
        own_ = false;
    });
}

bool TranslationSearchCommand::search(const QString &typed)
{
    TranslationLibrary &library = state_.translations();
    if (!library.chosen()) {
        showMessage(window_, tr("اختر ترجمة من قائمة «الترجمة» أولًا"));
        return false;
    }
    const std::optional<TranslationSearch> search = TranslationSearch::parse(typed);
    if (!search) {
        showMessage(window_, tr("لا يبحث في الترجمة إلا عن كلمات، بينها + أو | أو - وأقواس متوازنة"));
        return false;
    }
    // Every scope is a run of ayas.
    int first = 1, last = 6236;
    if (const QString condition = scopeCondition(state_.searchOptions()); !condition.isEmpty()) {
        DataControl range;
        range.setConnectionString(state_.connectionString());
        range.setRecordSource(QStringLiteral("SELECT min(ID), max(ID) FROM Ayat where ") + condition);
        if (!range.refresh() || range.field(0).isEmpty())
            return false;
        first = range.field(0).toInt();
        last = range.field(1).toInt();
    }
    const QList<int> ids = search->find(library.foldedTexts(), first, last);
    if (ids.isEmpty()) {
        showMessage(window_, tr("لم توجد هذه الكلمات في الترجمة"));
        return false;
    }
    QStringList numbers;
    for (const int id : ids)
        numbers.append(QString::number(id));
    ReadingState::Request request(QStringLiteral("SELECT *  FROM Ayat where ID in (%1) order by ID").arg(numbers.join(u',')),
                                  qint16(1), ReadingState::Guard::AllayaasearchOnly);
    // The lines come from the texts in memory once they are loaded.
    if (state_.hasSearchMemory()) {
        if (const FoldedText &text = state_.searchMemory().text(); text.isLoaded()) {
            auto records = std::make_shared<std::vector<ResultRecord>>();
            for (const int id : ids)
                if (const int row = text.indexOfId(id); row >= 0)
                    records->push_back(text.record(row));
            if (records->size() == std::size_t(ids.size()))
                request.records = std::move(records);
        }
    }
    library.setMarkedTerms(search->shownTerms());
    own_ = true;
    state_.produceListing(request);
    return true;
}

} // namespace zarfan
