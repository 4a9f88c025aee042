#include "chosenlist.h"

namespace zarfan {

ChosenList::AddResult ChosenList::add(const QString &line, const QString &id, const QString &displayedText)
{
    if (addaya.contains(line))
        return AddResult::Duplicate;
    if (displayedText.isEmpty())
        return AddResult::NothingDisplayed;
    addaya.append(line);
    hideadd.append(id);
    return AddResult::Added;
}

bool ChosenList::removeAt(int index)
{
    if (index < 0 || index >= addaya.size())
        return false;
    hideadd.removeAt(index);
    addaya.removeAt(index);
    return true;
}

} // namespace zarfan
