#pragma once

#include <QString>
#include <QStringList>

namespace zarfan {

// The chosen ayas: the visible lines (addaya) and their record IDs (hideadd),
// always the same length.
class ChosenList {
public:
    enum class AddResult { Added, Duplicate, NothingDisplayed };

    // Duplicates are recognised by the line text, so one aya reached through
    // different listings is refused the second time.
    AddResult add(const QString &line, const QString &id, const QString &displayedText);
    bool removeAt(int index);
    bool contains(const QString &line) const { return addaya.contains(line); }

    int count() const { return int(addaya.size()); }
    QStringList addaya;
    QStringList hideadd;
};

} // namespace zarfan
