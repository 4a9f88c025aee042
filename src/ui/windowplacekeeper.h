#pragma once

#include <QString>

class QWidget;

namespace zarfan {

class ReadingState;

// Keeps where the windows were in the user store, under a key for each; does
// nothing without a store.
class WindowPlaceKeeper {
public:
    explicit WindowPlaceKeeper(ReadingState &state) : state_(state) {}

    // Gives the window its kept size, and its kept place if that is on a
    // screen still there; true when it was placed.
    bool restorePlace(QWidget *window, const QString &key) const;
    void savePlace(const QWidget *window, const QString &key) const;
    void restoreSize(QWidget *window, const QString &key) const;
    void saveSize(const QWidget *window, const QString &key) const;

private:
    ReadingState &state_;
};

} // namespace zarfan
