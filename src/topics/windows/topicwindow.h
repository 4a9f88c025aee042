#pragma once

#include "data/datacontrol.h"
#include "topics/topicindex.h"

#include <QStringList>
#include <QWidget>
#include <memory>

namespace Ui {
class Form8;
}

namespace zarfan {

class ReadingState;

// Form8: the topic tree, one level at a time, and the aya references of the
// last opened leaf. Modeless beside the main window.
class TopicWindow : public QWidget {
    Q_OBJECT
public:
    TopicWindow(ReadingState &state, QWidget *parent);
    ~TopicWindow() override;

    const QStringList &secondlist() const { return secondlist_; }
    const QStringList &soralistsub() const { return soralistsub_; }
    const QStringList &ayaalistsub() const { return ayaalistsub_; }

public slots:
    bool showTopLevel();
    void openSelectedTopic();   // DblClick of mainlist
    void backToTop();           // Click of mainsearch
    void resolveSelectedReference(); // DblClick of suraayaalist
    // Lists every topic whose name holds the text, as its path; an empty
    // text brings the top level back.
    void filterTopics(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Held by every handler that may yield: a close meanwhile stops the walk
    // and the window is deleted only once no handler of it is on the stack,
    // Qt's own included.
    class Busy {
    public:
        explicit Busy(TopicWindow &w) : w_(w) { ++w_.busy_; }
        ~Busy();
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        TopicWindow &w_;
    };

    // Fills mainlist and secondlist from Adodc1's rows; false when a newer
    // fill took over during a yield.
    bool fillTopics();

    std::unique_ptr<Ui::Form8> ui;
    ReadingState &state_;
    DataControl Adodc1;
    DataControl Adodc2;
    DataControl topicsControl_;
    TopicIndex index_;
    QStringList secondlist_;
    QStringList soralistsub_;
    QStringList ayaalistsub_;
    quint64 fills_ = 0;
    int busy_ = 0;
    bool deleteWhenIdle_ = false;
};

} // namespace zarfan
