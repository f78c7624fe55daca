#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/Graphics.h"

// A picture that can load itself from a file or the program's resources. Its image is shared,
// so assigning a picture to another costs nothing.
class TPicture {
public:
    bool LoadFromFile(const std::string& path);
    bool LoadFromResource(const std::string& name);
    void Assign(const TPicture& other) { SetImage(other.m_Image); }
    void SetImage(std::shared_ptr<IImage> image);
    void Clear() { SetImage(nullptr); }

    bool Empty() const { return !m_Image; }
    int Width() const { return m_Image ? m_Image->Width() : 0; }
    int Height() const { return m_Image ? m_Image->Height() : 0; }
    const std::shared_ptr<IImage>& Image() const { return m_Image; }

    std::function<void()> OnChange;

private:
    std::shared_ptr<IImage> m_Image;
};
