#pragma once

#include <QLabel>

namespace zarfan {

class ReadingState;

// The status bar's counts of the listing, also read aloud.
class ListingCountsLabel : public QLabel {
    Q_OBJECT
public:
    explicit ListingCountsLabel(QWidget *parent = nullptr);

    void showCounts(ReadingState &state);
};

} // namespace zarfan
