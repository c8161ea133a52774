#include "descriptions/ProductCatalogue.h"

#include <QtGlobal>

// Resources of a static library are registered by name from outside any namespace.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace descriptions {

void RegisterPictures() {
    InitPictureResources();
}

} // namespace descriptions
