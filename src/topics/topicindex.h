#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace zarfan {

class DataControl;

// The whole topic table in memory, for finding topics by name at any depth.
class TopicIndex {
public:
    struct Found {
        QString number; // Topic_No as the table holds it
        QString path;   // names from the top level down, joined by " ◄ "
    };

    // Reads every topic through the data control; false when it cannot.
    bool load(DataControl &control);
    bool isLoaded() const { return loaded_; }

    // Topics whose folded name holds the folded text, in table order.
    std::vector<Found> find(const QString &typed) const;

private:
    struct Topic {
        QString number, parent, name, folded;
    };
    QString pathOf(const Topic &topic) const;

    std::vector<Topic> topics_;
    QHash<QString, std::size_t> byNumber_;
    bool loaded_ = false;
};

} // namespace zarfan
