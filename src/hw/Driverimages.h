#pragma once
#include <cstddef>
#include <cstdint>

// The driver images the program carries: one per processor architecture, embedded only when
// the build is given them. A missing image has no bytes.
struct DriverImage {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    bool Present() const { return Data != nullptr && Size != 0; }
};

struct TDriverImages {
    DriverImage X86;
    DriverImage Ia64;
    DriverImage X64;
};

// The images of this build; tests may put others in their place.
const TDriverImages& GetDriverImages();
void SetDriverImagesForTests(const TDriverImages* images);
