#include "hw/Driverimages.h"

#ifdef GLIDEPOST_DRIVER_IMAGES
#include "Driverimagedata.h"  // generated from the folder the build was given
#endif

namespace {
const TDriverImages* g_override = nullptr;

TDriverImages Embedded() {
    TDriverImages images;
#ifdef GLIDEPOST_DRIVER_IMAGES
    images.X86 = {kDriverX86, sizeof(kDriverX86)};
    images.Ia64 = {kDriverIa64, sizeof(kDriverIa64)};
    images.X64 = {kDriverX64, sizeof(kDriverX64)};
#endif
    return images;
}
}  // namespace

const TDriverImages& GetDriverImages() {
    static const TDriverImages embedded = Embedded();
    return g_override ? *g_override : embedded;
}

void SetDriverImagesForTests(const TDriverImages* images) { g_override = images; }
