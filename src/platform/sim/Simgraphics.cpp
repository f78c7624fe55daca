#include "platform/sim/Simgraphics.h"

#include "sys/Bytes.h"

namespace {
class TSimImage : public IImage {
public:
    TSimImage(int width, int height, std::vector<uint32_t> pixels)
        : m_Width(width), m_Height(height), m_Pixels(std::move(pixels)) {}
    int Width() const override { return m_Width; }
    int Height() const override { return m_Height; }
    bool IsBlack(int x, int y) const override {
        if (x < 0 || y < 0 || x >= m_Width || y >= m_Height || m_Pixels.empty()) return false;
        const uint32_t pixel = m_Pixels[static_cast<size_t>(y) * m_Width + x];
        // Drawn over white: transparent pixels stay white.
        return (pixel >> 24) != 0 && (pixel & 0xFFFFFF) == 0;
    }

private:
    int m_Width;
    int m_Height;
    std::vector<uint32_t> m_Pixels;
};

uint32_t Big32(const std::string& b, size_t at) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8) | static_cast<uint8_t>(b[at + 3]);
}
uint16_t Big16(const std::string& b, size_t at) {
    return static_cast<uint16_t>((static_cast<uint8_t>(b[at]) << 8) | static_cast<uint8_t>(b[at + 1]));
}

bool ImageSize(const std::string& b, int& width, int& height) {
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && b.compare(12, 4, "IHDR") == 0) {
        width = static_cast<int>(Big32(b, 16));
        height = static_cast<int>(Big32(b, 20));
        return width > 0 && height > 0 && width < 65536 && height < 65536;
    }
    if (b.size() >= 4 && static_cast<uint8_t>(b[0]) == 0xFF && static_cast<uint8_t>(b[1]) == 0xD8) {
        // Walk the JPEG segments to a start-of-frame marker.
        size_t at = 2;
        while (at + 9 < b.size() && static_cast<uint8_t>(b[at]) == 0xFF) {
            const uint8_t marker = static_cast<uint8_t>(b[at + 1]);
            const uint16_t length = Big16(b, at + 2);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
                height = Big16(b, at + 5);
                width = Big16(b, at + 7);
                return width > 0 && height > 0;
            }
            if (length < 2) return false;
            at += 2 + length;
        }
    }
    if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
        auto little = [&](size_t at) {
            return static_cast<int32_t>(bytes::Get32(reinterpret_cast<const uint8_t*>(b.data() + at)));
        };
        width = little(18);
        height = little(22) < 0 ? -little(22) : little(22);
        return width > 0 && height > 0;
    }
    return false;
}
}  // namespace

std::shared_ptr<IImage> TSimGraphics::Decode(const std::string& bytes) {
    int width = 0, height = 0;
    if (!ImageSize(bytes, width, height)) return nullptr;
    return std::make_shared<TSimImage>(width, height, std::vector<uint32_t>());
}

std::shared_ptr<IImage> TSimGraphics::FromResource(const std::string& name) {
    auto it = Resources.find(name);
    return it == Resources.end() ? nullptr : Decode(it->second);
}

std::shared_ptr<IImage> TSimGraphics::FromPixels(int width, int height, const std::vector<uint32_t>& pixels) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return nullptr;
    return std::make_shared<TSimImage>(width, height, pixels);
}
