// SPDX-License-Identifier: MIT
#include "libs/ui/lm_font.h"

#include <algorithm>

void lmColor::setRGB(const wxColour& colour) {
    red = colour.Red();
    green = colour.Green();
    blue = colour.Blue();
}

void lmFont::reset() {
    faceName.fill(L'\0');
    color = lmColor();
    size = 10;
    orientation = 0;
    style = kNormal;
    weight = kNormal;
}

void lmFont::setFaceName(const std::wstring& face) {
    faceName.fill(L'\0');
    const size_t n = std::min<size_t>(face.size(), faceName.size() - 1);
    std::copy_n(face.begin(), n, faceName.begin());
}

std::wstring lmFont::getFaceName() const { return std::wstring(faceName.data()); }

void lmFont::assignResources() {
    wxFontInfo info(std::clamp(size, 4, 96));
    info.Family(wxFONTFAMILY_MODERN).FaceName(wxString(getFaceName()));
    // wxWidgets 3.2 counts weights 100..900; the record keeps our file format's codes.
    if (style == kItalic) info.Italic();
    if (style == kSlant) info.Slant();
    if (weight == kBold) info.Bold();
    if (weight == kLight) info.Light();
    m_font = wxFont(info);
}
