#pragma once
#include <map>

#include "platform/Graphics.h"

// Pictures without a decoder: a PNG's or JPEG's size is read from its header and its pixels
// count as white; pictures built from pixels keep them.
class TSimGraphics : public IGraphics {
public:
    std::shared_ptr<IImage> Decode(const std::string& bytes) override;
    std::shared_ptr<IImage> FromResource(const std::string& name) override;
    std::shared_ptr<IImage> FromPixels(int width, int height, const std::vector<uint32_t>& pixels) override;

    // Resources of the simulated program, by name: file bytes as Decode takes them.
    std::map<std::string, std::string> Resources;
};
