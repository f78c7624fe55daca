#pragma once
#include <functional>
#include <string>

#include "platform/Graphics.h"

// A font: face, pixel size, colour (0xBBGGRR) and style, with a change notification.
class TFont {
public:
    TFont() = default;
    TFont(const TFont& other) : m_Spec(other.m_Spec) {}
    TFont& operator=(const TFont& other) {
        Assign(other);
        return *this;
    }

    const TFontSpec& Spec() const { return m_Spec; }
    const std::string& Name() const { return m_Spec.Name; }
    int Size() const { return m_Spec.Size; }
    uint32_t Color() const { return m_Spec.Color; }
    int Style() const { return m_Spec.Style; }

    void SetName(const std::string& name) { Change([&] { m_Spec.Name = name; }); }
    void SetSize(int size) { Change([&] { m_Spec.Size = size; }); }
    void SetColor(uint32_t color) { Change([&] { m_Spec.Color = color; }); }
    void SetStyle(int style) { Change([&] { m_Spec.Style = style; }); }
    void Assign(const TFont& other) { Change([&] { m_Spec = other.m_Spec; }); }

    std::function<void(TFont&)> OnChange;

private:
    template <class TEdit>
    void Change(TEdit edit) {
        edit();
        if (OnChange) OnChange(*this);
    }
    TFontSpec m_Spec{"Tahoma", 11, 0, 0};
};
