// SPDX-License-Identifier: MIT
// Colour and font records of the console font.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <wx/colour.h>
#include <wx/font.h>

/// A colour record: red, green and blue bytes.
class lmColor {
public:
    lmColor() = default;
    lmColor(unsigned char r, unsigned char g, unsigned char b) : red(r), green(g), blue(b) {}
    explicit lmColor(const wxColour& colour) { setRGB(colour); }
    wxColour getRGB() const { return wxColour(red, green, blue); }
    void setRGB(const wxColour& colour);
    /// 0x00BBGGRR.
    std::uint32_t toInt() const { return red | (green << 8) | (std::uint32_t(blue) << 16); }
    static lmColor fromInt(std::uint32_t bgr) { return lmColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

    unsigned char red = 0, green = 0, blue = 0;
};

/// The console font record; assignResources() builds the toolkit font after every change.
class lmFont {
public:
    /// Our settings file format's font codes: weights and styles.
    static constexpr int kNormal = 90, kLight = 91, kBold = 92;
    static constexpr int kItalic = 93, kSlant = 94;

    lmFont() { reset(); }
    /// Defaults: no face, black, 10 points, orientation 0, normal style and weight.
    void reset();
    void setColor(const wxColour& colour) { color.setRGB(colour); }
    void setColor(const lmColor& colour) { color = colour; }
    /// Copies at most 31 characters of the face name.
    void setFaceName(const std::wstring& face);
    std::wstring getFaceName() const;
    /// Builds the toolkit font from the record.
    void assignResources();
    const wxFont& getFont() const { return m_font; }

    std::array<wchar_t, 32> faceName{};
    lmColor color;
    int size = 10;
    int orientation = 0;
    /// kNormal, kItalic or kSlant.
    int style = kNormal;
    /// kNormal, kLight or kBold.
    int weight = kNormal;

private:
    wxFont m_font;
};
