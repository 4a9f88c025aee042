#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace zarfan {

// A kind of file a save dialog offers: its name and its extensions, the
// first of which a name typed without one gets.
struct SaveFileType {
    QString name;
    QStringList extensions;
};

struct ChosenSaveFile {
    QString path; // empty when the reader gave up
    int type = 0; // into the types offered
};

// Asks where to save. A name typed without an extension gets the chosen
// type's; the dialog would ask about the name as typed, so the question
// about replacing a file is asked here, about the file really written.
// The dialog opens on the suggested path when one is given.
ChosenSaveFile askSaveFile(QWidget *parent, const QString &title, const QList<SaveFileType> &types,
                           const QString &suggested = QString());

// The type of a chosen path: by its extension when it has one of the types',
// else the filter chosen; the path with the extension added where it had none.
ChosenSaveFile completeSavePath(QString path, int chosenType, const QList<SaveFileType> &types);

} // namespace zarfan
