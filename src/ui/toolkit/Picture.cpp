#include "ui/toolkit/Picture.h"

#include "platform/Displayscale.h"
#include "platform/Platform.h"
#include "sys/Files.h"

namespace {
// "name@2x.png" beside "name.png".
std::string DoubleSizePath(const std::string& path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + "@2x";
    return path.substr(0, dot) + "@2x" + path.substr(dot);
}

bool PrefersDoubleArtwork() {
    IWindowSystem* windows = GetPlatform().Windows;
    return windows && TDisplayScale{windows->DisplayDpi()}.PrefersDoubleArtwork();
}

// A picture drawn at twice the size, when there is one with even sides.
std::shared_ptr<IImage> DoubleDensity(std::shared_ptr<IImage> image) {
    if (!image || image->Width() % 2 != 0 || image->Height() % 2 != 0) return nullptr;
    return std::make_shared<TDoubleDensityImage>(std::move(image));
}
}  // namespace

bool TPicture::LoadFromFile(const std::string& path) {
    // On a display scaled 1.5 or more, the twice-size picture where the theme has one; else
    // the plain picture, which the canvas scales (themes of the user's own keep working).
    if (PrefersDoubleArtwork()) {
        std::string bytes;
        if (ReadFileBytes(DoubleSizePath(path), bytes)) {
            if (std::shared_ptr<IImage> image = DoubleDensity(GetPlatform().Graphics->Decode(bytes))) {
                SetImage(std::move(image));
                return true;
            }
        }
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    std::shared_ptr<IImage> image = GetPlatform().Graphics->Decode(bytes);
    if (!image) return false;
    SetImage(std::move(image));
    return true;
}

bool TPicture::LoadFromResource(const std::string& name) {
    if (PrefersDoubleArtwork()) {
        if (std::shared_ptr<IImage> image = DoubleDensity(GetPlatform().Graphics->FromResource(name + "_2X"))) {
            SetImage(std::move(image));
            return true;
        }
    }
    std::shared_ptr<IImage> image = GetPlatform().Graphics->FromResource(name);
    if (!image) return false;
    SetImage(std::move(image));
    return true;
}

void TPicture::SetImage(std::shared_ptr<IImage> image) {
    m_Image = std::move(image);
    if (OnChange) OnChange();
}
