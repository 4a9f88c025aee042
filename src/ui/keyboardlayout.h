#pragma once

namespace zarfan {

// Switches the keyboard to Arabic (Saudi Arabia) where the platform has
// keyboard layouts; elsewhere it does nothing. The result is never checked.
void activateArabicKeyboard();

} // namespace zarfan
