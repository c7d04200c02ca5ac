// SPDX-License-Identifier: MIT
// DelvoApp's settings operations (spec Part 4.1). Placeholder until the settings issue lands.
#include "app/delvo_app.h"

void DelvoApp::setConsoleFont(const std::wstring* faceName, const lmColor& colour, int size, int orientation,
                              int style, int weight) {
    if (faceName) consoleFont.setFaceName(*faceName);
    consoleFont.setColor(colour);
    consoleFont.size = size < 4 ? 4 : (size > 32 ? 32 : size);
    consoleFont.orientation = orientation;
    consoleFont.style = style;
    consoleFont.weight = weight;
    consoleFont.assignResources();
}
void DelvoApp::setConsoleColors(std::uint32_t, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                                std::uint32_t number, std::uint32_t selection) {
    syntaxColors = {background, function, op, number, selection};
}
void DelvoApp::enableHighlighting(bool) {}
bool DelvoApp::isHighlighting() const { return true; }
void DelvoApp::setWindowPlacement(bool, int, int, int, int) {}
void DelvoApp::getWindowPlacement(bool*, int*, int*, int*, int*) const {}
bool DelvoApp::addFunction(const std::wstring&) { return false; }
std::wstring DelvoApp::getFunction(int) const { return {}; }
int DelvoApp::getExpressionCount() const { return 0; }
bool DelvoApp::getExpression(int, std::wstring*) const { return false; }
void DelvoApp::addExpression(const std::wstring&) {}
bool DelvoApp::loadSettingsFile() { return false; }
bool DelvoApp::saveSettingsFile() { return false; }
