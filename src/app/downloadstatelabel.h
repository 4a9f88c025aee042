#pragma once

#include <QLabel>

namespace zarfan {

class RecitationCommands;

// An offline download's progress in the status bar, hidden while none runs.
class DownloadStateLabel : public QLabel {
    Q_OBJECT
public:
    DownloadStateLabel(RecitationCommands *recitation, QWidget *parent);
};

} // namespace zarfan
