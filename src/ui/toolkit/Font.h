#pragma once
#include <functional>
#include <string>

#include "platform/Graphics.h"

// A font: face, pixel size, colour (0xBBGGRR) and style, with a change notification.
class TFont {
public:
    TFont() = default;
    TFont(const TFont& other) : m_Face(other.m_Face) {}
    TFont& operator=(const TFont& other) {
        Assign(other);
        return *this;
    }

    const TFontFace& Face() const { return m_Face; }
    const std::string& Name() const { return m_Face.Name; }
    int Size() const { return m_Face.Size; }
    uint32_t Color() const { return m_Face.Color; }
    int Style() const { return m_Face.Style; }

    void SetName(const std::string& name) {
        Change([&] { m_Face.Name = name; });
    }
    void SetSize(int size) {
        Change([&] { m_Face.Size = size; });
    }
    void SetColor(uint32_t color) {
        Change([&] { m_Face.Color = color; });
    }
    void SetStyle(int style) {
        Change([&] { m_Face.Style = style; });
    }
    void Assign(const TFont& other) {
        Change([&] { m_Face = other.m_Face; });
    }

    std::function<void(TFont&)> OnChange;

private:
    template <class TEdit>
    void Change(TEdit edit) {
        edit();
        if (OnChange) OnChange(*this);
    }
    TFontFace m_Face{"Tahoma", 11, 0, 0};
};
