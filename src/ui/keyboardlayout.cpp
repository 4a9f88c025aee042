#include "keyboardlayout.h"

#include <QtGlobal>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zarfan {

void activateArabicKeyboard()
{
#ifdef Q_OS_WIN
    LoadKeyboardLayoutA("00000401", KLF_ACTIVATE);
#endif
}

} // namespace zarfan
