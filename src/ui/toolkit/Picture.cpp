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

std::shared_ptr<IImage> DecodeFile(const std::string& path) {
    std::string bytes;
    return ReadFileBytes(path, bytes) ? GetPlatform().Graphics->Decode(bytes) : nullptr;
}

bool Show(TPicture& picture, std::shared_ptr<IImage> image) {
    if (!image) return false;
    picture.SetImage(std::move(image));
    return true;
}
}  // namespace

// On a display scaled 1.5 or more, the twice-size picture where there is one; else the plain
// picture, which the canvas scales (themes of the user's own keep working).
bool TPicture::LoadFromFile(const std::string& path) {
    if (PrefersDoubleArtwork() && Show(*this, DoubleDensity(DecodeFile(DoubleSizePath(path))))) return true;
    return Show(*this, DecodeFile(path));
}

bool TPicture::LoadFromResource(const std::string& name) {
    IGraphics& graphics = *GetPlatform().Graphics;
    if (PrefersDoubleArtwork() && Show(*this, DoubleDensity(graphics.FromResource(name + "_2X")))) return true;
    return Show(*this, graphics.FromResource(name));
}

void TPicture::SetImage(std::shared_ptr<IImage> image) {
    m_Image = std::move(image);
    if (OnChange) OnChange();
}
