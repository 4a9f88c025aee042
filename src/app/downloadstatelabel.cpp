#include "downloadstatelabel.h"

#include "recitation/windows/recitationcommands.h"

namespace zarfan {

DownloadStateLabel::DownloadStateLabel(RecitationCommands *recitation, QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("recitationDownloadState"));
    hide();
    connect(recitation, &RecitationCommands::downloadProgress, this, [this](const QString &text) {
        setText(text);
        setVisible(!text.isEmpty());
    });
}

} // namespace zarfan
