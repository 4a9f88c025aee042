#pragma once

#include <QString>

namespace zarfan {

// The notes window's fixed text: 18 lines, each ended by CR LF.
QString notesText();

} // namespace zarfan
