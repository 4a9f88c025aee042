#pragma once

namespace zarfan {

// Registers the icons and pictures of the windows.
void initResources();

} // namespace zarfan
