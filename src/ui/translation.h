#pragma once

#include <QString>

namespace zarfan {

// The program's fixed title, as message boxes show it.
QString programTitle();

// Qt's own texts (standard dialogs, buttons, context menus) in Arabic, from
// the system's Qt translations; left in English where they are not installed.
void installQtTranslation();

} // namespace zarfan
