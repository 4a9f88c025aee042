#include "resources.h"

#include <QtGlobal>

// Resources of a static library must be registered by name.
static void registerZarfanResources() { Q_INIT_RESOURCE(zarfan); }

namespace zarfan {

void initResources() { registerZarfanResources(); }

} // namespace zarfan
