#include "instantsearch.h"

#include "ayareference.h"
#include "searchquery.h"
#include "searchstatement.h"

namespace zarfan {

bool isCompleteSearchText(const QString &typed)
{
    const QString text = trimBlanks(typed);
    if (text.isEmpty())
        return false;
    if (holdsDigit(text))
        return parseAyaReference(text).kind == AyaReference::Kind::Valid;
    // A group still open is a combination still being typed.
    if (text.count(u'(') > text.count(u')'))
        return false;
    return !hasSearchOperators(text) || parseSearchQuery(text).has_value();
}

InstantSearch::InstantSearch(QObject *parent) : QObject(parent)
{
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, [this] {
        if (on_ && isCompleteSearchText(text_))
            emit searchDue(text_);
    });
}

void InstantSearch::setOn(bool on)
{
    on_ = on;
    if (!on)
        pause_.stop();
}

void InstantSearch::textEdited(const QString &text)
{
    if (!on_)
        return;
    text_ = text;
    pause_.start();
}

} // namespace zarfan
