#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zarfan {

// What opens the program's secondary windows, as the windows of a feature
// reach it: each window is made on first use and never twice at once, gets
// back the size it was closed at, and closes with the main window in a fixed
// order. The main window's window opener is the one there is.
class WindowOpening {
public:
    virtual ~WindowOpening() = default;

    // The window of a kind (one of each, or one per instance, e.g. a note's
    // editor per note): the open one, else one made by make. It is shown,
    // raised and activated. Its size is kept under "<kind>.size" unless
    // keepItsSize is false (a window that keeps its own place).
    virtual QWidget *open(const QString &kind, const QString &instance, const std::function<QWidget *()> &make,
                          bool keepItsSize = true) = 0;
    // The open window of a kind and instance, or none.
    virtual QWidget *find(const QString &kind, const QString &instance = {}) const = 0;
};

} // namespace zarfan
