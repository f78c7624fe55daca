#include "ui/toolkit/Picture.h"

#include "platform/Platform.h"
#include "sys/Files.h"

bool TPicture::LoadFromFile(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    std::shared_ptr<IImage> image = GetPlatform().Graphics->Decode(bytes);
    if (!image) return false;
    SetImage(std::move(image));
    return true;
}

bool TPicture::LoadFromResource(const std::string& name) {
    std::shared_ptr<IImage> image = GetPlatform().Graphics->FromResource(name);
    if (!image) return false;
    SetImage(std::move(image));
    return true;
}

void TPicture::SetImage(std::shared_ptr<IImage> image) {
    m_Image = std::move(image);
    if (OnChange) OnChange();
}
