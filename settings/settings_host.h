// SPDX-License-Identifier: MIT
// What the settings file's reader and writer ask of the application object. GUI-free.
#pragma once

#include <array>
#include <cstdint>
#include <string>

/// The console font values the settings file reads and writes (fields of lmFont).
struct SettingsFont {
    std::wstring faceName;
    /// Colour integer 0x00BBGGRR: the console's default text colour.
    std::uint32_t color = 0;
    int size = 10;
    int orientation = 0;
    int style = 0;
    int weight = 0;
};

/// The application object's settings operations, so that loadSettings and saveSettings need no GUI.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    /// Face name (or none; at most 31 characters kept), colour 0x00BBGGRR, size (clamped to 4..32), the rest as given.
    virtual void setConsoleFont(const std::wstring* faceName, std::uint32_t colour, int size, int orientation,
                                int style, int weight) = 0;
    /// Default text, background, function, operator, number and selection colours.
    virtual void setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function,
                                  std::uint32_t op, std::uint32_t number, std::uint32_t selection) = 0;
    /// The current console font values.
    virtual SettingsFont getConsoleFont() const = 0;
    /// The five syntax colours: background, function, operator, number, selection.
    virtual std::array<std::uint32_t, 5> getSyntaxColors() const = 0;

    /// Maximized state and size (and position, when the host applies it) of the main window.
    virtual void setWindowPlacement(bool maximized, int x, int y, int width, int height) = 0;
    /// The main window's placement, into all five.
    virtual void getWindowPlacement(bool* maximized, int* x, int* y, int* width, int* height) const = 0;
    /// Screen size in pixels (the toolkit's system metrics).
    virtual int getScreenWidth() const = 0;
    virtual int getScreenHeight() const = 0;

    /// Solver function history: false for an empty text or a duplicate regardless of case.
    virtual bool addFunction(const std::wstring& text) = 0;
    virtual int getFunctionCount() const = 0;
    /// The entry at a 0-based index, or empty outside 0..count-1.
    virtual std::wstring getFunction(int index) const = 0;

    /// Console history; an index outside it reads as an empty entry (false).
    virtual int getExpressionCount() const = 0;
    virtual bool getExpression(int index, std::wstring* out) const = 0;
    virtual void addExpression(const std::wstring& text) = 0;

    /// The interpreter's verbose flag.
    virtual bool getVerbose() const = 0;
    virtual void setVerbose(bool on) = 0;
};
