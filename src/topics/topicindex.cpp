#include "topicindex.h"

#include "data/datacontrol.h"
#include "search/arabicfolding.h"

#include <QHash>
#include <QStringList>

namespace zarfan {

bool TopicIndex::load(DataControl &control)
{
    control.setRecordSource(QStringLiteral("SELECT *  FROM topics_name order by ID"));
    if (!control.refresh())
        return false;
    const int cNumber = control.column(u"Topic_No"), cParent = control.column(u"Mother_Topic");
    const int cName = control.column(u"Topic_Name"), cFolded = control.column(u"Topic_NameFolded");
    topics_.clear();
    for (; !control.eof(); control.moveNext())
        topics_.push_back({control.field(cNumber), control.field(cParent), control.field(cName), control.field(cFolded)});
    byNumber_.clear();
    for (std::size_t i = 0; i < topics_.size(); ++i)
        byNumber_.insert(topics_[i].number, i);
    loaded_ = true;
    return true;
}

QString TopicIndex::pathOf(const Topic &topic) const
{
    QStringList names{topic.name};
    const Topic *at = &topic;
    // A parent cycle in a damaged table ends the walk after every topic.
    for (std::size_t steps = 0; steps < topics_.size(); ++steps) {
        const auto parent = byNumber_.constFind(at->parent);
        if (parent == byNumber_.constEnd())
            break;
        at = &topics_[*parent];
        names.prepend(at->name);
    }
    return names.join(QStringLiteral(" ◄ "));
}

std::vector<TopicIndex::Found> TopicIndex::find(const QString &typed) const
{
    std::vector<Found> found;
    const QString folded = foldArabic(typed);
    if (folded.isEmpty())
        return found;
    for (const Topic &topic : topics_) {
        if (topic.folded.contains(folded))
            found.push_back({topic.number, pathOf(topic)});
    }
    return found;
}

} // namespace zarfan
