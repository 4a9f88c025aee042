#pragma once

#include "data/userstore.h"

#include <QString>

class QWidget;

namespace zarfan {

// An OK-only message box; the title defaults to the program's.
void showMessage(QWidget *parent, const QString &text, const QString &title = QString());

// Tests and scripts set ZARFAN_MESSAGE_LOG to a file: every message is then
// appended to it and the box closes by itself instead of waiting for a click.
QString messageLogPath();

// What the reader is told when the file of the chosen ayas and the search
// history could not be used as usual; empty when all is well.
QString userDataMovedAside(const QString &aside);
// Damage met while running: what was shown is kept in a fresh file.
QString userDataDamagedWhileRunning(const QString &aside);
QString userDataNotice(const UserStore &store, UserStore::Opened opened);
// How the file was opened, without the tables set aside.
QString userDataOpening(const UserStore &store, UserStore::Opened opened);
// What stands at the lock file's path is no file.
QString lockNotAFile(const QString &path);

} // namespace zarfan
