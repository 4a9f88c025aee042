#pragma once

#include <QtGlobal>

namespace zarfan {

// The program-wide variables: 16-bit, 0 at start, never saved.
struct ProgramState {
    qint16 mixedsora = 0;   // 1 when the result lines may span several suras
    qint16 searchtype = 0;  // search scope 0..6
    qint16 composemode = 0; // 1 whole sura, 2 chosen ayas, 3 a named list
    qint16 composesura = 0;
};

ProgramState &programState();

} // namespace zarfan
