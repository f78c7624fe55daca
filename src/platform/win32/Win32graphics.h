#pragma once
#include "platform/Displayscale.h"
#include "platform/Graphics.h"

// GDI+ pictures and painting. GDI+ is started once for the process.
class TWin32Graphics : public IGraphics {
public:
    TWin32Graphics();
    ~TWin32Graphics() override;
    std::shared_ptr<IImage> Decode(const std::string& bytes) override;
    std::shared_ptr<IImage> FromResource(const std::string& name) override;
    std::shared_ptr<IImage> FromPixels(int width, int height, const std::vector<uint32_t>& pixels) override;

private:
    uintptr_t m_Token = 0;
};

// A canvas over a window's back buffer: top-down 32-bit pixels (premultiplied BGRA, no row
// padding) that hold the window's area at (x, y) of the given size, in display pixels; what
// falls outside it is not drawn. Controls paint on it in design pixels, shown at the scale.
std::unique_ptr<TCanvas> MakeGdiPlusCanvas(void* pixels, int x, int y, int width, int height,
                                          const TDisplayScale& scale);
