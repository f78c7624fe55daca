#pragma once
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

// A canvas over a device context (a window's back buffer).
std::unique_ptr<TCanvas> MakeGdiPlusCanvas(void* deviceContext);
