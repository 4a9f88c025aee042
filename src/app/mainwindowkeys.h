#pragma once

#include <QList>
#include <QObject>

class QAction;
class QKeyEvent;
class QWidget;

namespace zarfan {

// The main window's keys, picked out of every event of the application ahead
// of its widgets: the menu's shortcuts also where a text box has its own,
// Enter on the results and Delete on the chosen list.
class MainWindowKeys : public QObject {
    Q_OBJECT
public:
    MainWindowKeys(QWidget *window, const QList<QAction *> &shortcuts, QWidget *searchBox, QWidget *results,
                   QWidget *chosen);
    ~MainWindowKeys() override;

    // Enter elsewhere than in the search box, the results or the chosen list
    // runs the search.
    bool runsSearch(const QKeyEvent *event) const;

signals:
    void enterOnResults();
    void deleteOnChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    QList<QAction *> shortcuts_;
    QWidget *searchBox_;
    QWidget *results_;
    QWidget *chosen_;
};

} // namespace zarfan
