// SPDX-License-Identifier: MIT
#include "settings/settings_file.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <cwchar>

#include "libs/file/lf_config.h"
#include "settings/settings_disk.h"
#include "settings/settings_host.h"
#include "settings/settings_keys.h"

const wchar_t kSettingsHeaderLine[] = L"# Quarn-RC <do not change or remove this header>";

namespace {

constexpr int kLineCountLimit = 2048;
constexpr int kFirstLineMax = 255;   // read with a buffer of 256
constexpr int kLineMax = 254;        // read with a buffer of 255
constexpr size_t kFaceNameMax = 31;
constexpr size_t kEntryMax = 255;

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// The path: length 9..247 and the exact extension ".quarnr".
bool pathAccepted(const std::wstring& path) {
    static const std::wstring kExtension = L".quarnr";
    if (path.size() < 9 || path.size() > 247) return false;
    return path.compare(path.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
}

// The first line, trimmed, is exactly the header line.
bool readHeader(SettingsLineReader& reader) {
    std::wstring line;
    if (!reader.readLine(kFirstLineMax, &line)) return false;
    const int length = lfConfig::trim(line);
    return length >= 3 && length <= 255 && line == kSettingsHeaderLine;
}

struct ReadState {
    const SettingsSectionKeys* currentKeys = nullptr;
    std::wstring currentName;
    int lineCount = 0;
    int acceptedHeaders = 0;
};

void readSectionHeader(const std::wstring& text, lfConfig& config, ReadState& state) {
    const size_t close = text.rfind(L']');
    if (close == std::wstring::npos || close != text.size() - 1) return;
    const std::wstring name = text.substr(1, close - 1);
    const SettingsSectionKeys* keys = findSettingsSection(name);
    if (keys == nullptr) return;  // an unknown section leaves the previous one current
    lfSection* section = config.addSection(name, keys->capacity);
    if (section == nullptr) {
        state.currentKeys = nullptr;
        return;
    }
    state.currentKeys = keys;
    state.currentName = name;
    ++state.acceptedHeaders;
}

void readRecord(const std::wstring& text, lfConfig& config, const ReadState& state) {
    if (state.currentKeys == nullptr) return;
    const size_t equals = text.find(L'=');
    if (equals == std::wstring::npos || equals == 0) return;
    const std::wstring key = text.substr(0, equals);
    if (!state.currentKeys->contains(key)) return;
    config.setValue(state.currentName, key, text.substr(equals + 1));
}

// Every line after the header, until the end, 2049 counted lines or too many section headers.
void readBody(SettingsLineReader& reader, lfConfig& config) {
    ReadState state;
    std::wstring line;
    while (reader.readLine(kLineMax, &line)) {
        const int length = lfConfig::trim(line);
        if (length < 3 || length > 255) {
            if (++state.lineCount > kLineCountLimit) return;
            continue;
        }
        size_t start = 0;
        while (start < line.size() && isBlank(line[start])) ++start;
        if (line.size() - start < 3) continue;
        const std::wstring text = line.substr(start);
        if (text[0] == L'[') {
            readSectionHeader(text, config, state);
        } else if (text[0] != L'#' && text[0] != L';') {
            readRecord(text, config, state);
        }
        if (++state.lineCount > kLineCountLimit) return;
        if (state.acceptedHeaders > config.getCapacity()) return;
    }
}

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The C library's string-to-long conversion with base 10 or 16, with a 32-bit long.
long toLong(const std::wstring& text, int base) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (base == 16 && i + 2 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X') &&
        hexDigit(text[i + 2]) >= 0) {
        i += 2;
    }
    long long value = 0;
    constexpr long long kLimit = 0x80000000LL;
    for (; i < text.size(); ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0 || digit >= base) break;
        value = value * base + digit;
        if (value > kLimit) value = kLimit;  // saturates like an overflowing conversion
    }
    if (negative) return static_cast<long>(-value);
    return static_cast<long>(value >= kLimit ? kLimit - 1 : value);
}

int readInt(const lfConfig& config, const wchar_t* section, const wchar_t* key, int fallback) {
    std::wstring value;
    return config.getValue(section, key, &value) ? static_cast<int>(toLong(value, 10)) : fallback;
}

std::uint32_t readColor(const lfConfig& config, const wchar_t* key, std::uint32_t fallback) {
    std::wstring value;
    return config.getValue(L"Font", key, &value) ? static_cast<std::uint32_t>(toLong(value, 16)) : fallback;
}

// The values read become the application's.
void applyHistory(const lfConfig& config, SettingsHost& host) {
    std::wstring value;
    for (int i = 1; i <= kSettingsHistoryMax; ++i) {
        if (config.getValue(L"History", settingsHistoryKey(L"Expr", i), &value)) host.addExpression(value);
    }
    for (int i = 1; i <= kSettingsHistoryMax; ++i) {
        if (config.getValue(L"History", settingsHistoryKey(L"Func", i), &value)) host.addFunction(value);
    }
}

// Nothing of the font or its colours without a Name.
void applyFont(const lfConfig& config, SettingsHost& host) {
    SettingsFont font = host.getConsoleFont();
    std::array<std::uint32_t, 5> colors = host.getSyntaxColors();
    if (!config.getValue(L"Font", L"Name", &font.faceName)) return;
    if (font.faceName.size() > kFaceNameMax) font.faceName.resize(kFaceNameMax);
    font.color = readColor(config, L"DefColor", font.color);
    const int size = readInt(config, L"Font", L"Size", font.size);
    if (size >= 4 && size <= 96) font.size = size;
    font.orientation = readInt(config, L"Font", L"Orient", font.orientation);
    font.style = readInt(config, L"Font", L"Style", font.style);
    font.weight = readInt(config, L"Font", L"Weight", font.weight);
    const std::uint32_t text = readColor(config, L"DefColor", font.color);
    colors[0] = readColor(config, L"BackColor", colors[0]);
    colors[1] = readColor(config, L"FuncColor", colors[1]);
    colors[2] = readColor(config, L"OpColor", colors[2]);
    colors[4] = readColor(config, L"SelColor", colors[4]);
    colors[3] = readColor(config, L"NumberColor", colors[3]);
    host.setConsoleFont(&font.faceName, font.color, font.size, font.orientation, font.style, font.weight);
    host.setConsoleColors(text, colors[0], colors[1], colors[2], colors[3], colors[4]);
}

int screenMetric(int value) { return (value < 400 || value > 12288) ? 12288 : value; }

// Window placement: the chain ends at the first missing or out-of-range key.
void applyCommon(const lfConfig& config, SettingsHost& host) {
    const bool maximized = readInt(config, L"Common", L"Maximized", 0) == 1;
    int place[4] = {-1, -1, -1, -1};
    if (!maximized) {
        const int width = screenMetric(host.getScreenWidth());
        const int height = screenMetric(host.getScreenHeight());
        const wchar_t* keys[4] = {L"PositionX", L"PositionY", L"Width", L"Height"};
        const int limits[4] = {width - 16, height - 16, width - 16, height - 16};
        std::wstring value;
        for (int i = 0; i < 4; ++i) {
            if (!config.getValue(L"Common", keys[i], &value)) break;
            const long v = toLong(value, 10);
            if (v < 0 || v > limits[i]) break;
            place[i] = static_cast<int>(v);
        }
        if (config.getValue(L"Common", L"Verbose", &value)) host.setVerbose(value != L"0");
    }
    host.setWindowPlacement(maximized, place[0], place[1], place[2], place[3]);
}

// Numbers go through a buffer of 63 characters, as "%X" and "%d".
std::wstring hexColor(std::uint32_t value) {
    wchar_t buffer[64];
    std::swprintf(buffer, 63, L"%X", static_cast<unsigned>(value));
    return buffer;
}

std::wstring decimal(int value) {
    wchar_t buffer[64];
    std::swprintf(buffer, 63, L"%d", value);
    return buffer;
}

// A value may not break its line: CR and LF inside it become blanks; at most 255 characters are kept.
std::wstring entryValue(std::wstring value) {
    if (value.size() > kEntryMax) value.resize(kEntryMax);
    for (wchar_t& c : value) {
        if (c == L'\r' || c == L'\n') c = L' ';
    }
    return value;
}

void fillHistory(lfConfig& config, const SettingsHost& host) {
    const int expressions = host.getExpressionCount();
    if (expressions >= 1 && expressions <= kSettingsHistoryMax) {
        std::wstring entry;
        for (int i = 1; i <= expressions; ++i) {
            if (host.getExpression(i - 1, &entry) && !entry.empty()) {
                config.setValue(L"History", settingsHistoryKey(L"Expr", i), entryValue(entry));
            }
        }
    }
    const int functions = host.getFunctionCount();
    if (functions >= 1 && functions <= kSettingsHistoryMax) {
        for (int i = 1; i <= functions; ++i) {
            config.setValue(L"History", settingsHistoryKey(L"Func", i), entryValue(host.getFunction(i - 1)));
        }
    }
}

void fillFont(lfConfig& config, const SettingsHost& host) {
    const SettingsFont font = host.getConsoleFont();
    const std::array<std::uint32_t, 5> colors = host.getSyntaxColors();
    std::wstring face = entryValue(font.faceName);
    if (face.size() > kFaceNameMax) face.resize(kFaceNameMax);
    config.setValue(L"Font", L"Name", face);
    config.setValue(L"Font", L"DefColor", hexColor(font.color));
    config.setValue(L"Font", L"Size", decimal(font.size));
    config.setValue(L"Font", L"Orient", decimal(font.orientation));
    config.setValue(L"Font", L"Style", decimal(font.style));
    config.setValue(L"Font", L"Weight", decimal(font.weight));
    config.setValue(L"Font", L"DefColor", hexColor(font.color));
    config.setValue(L"Font", L"BackColor", hexColor(colors[0]));
    config.setValue(L"Font", L"FuncColor", hexColor(colors[1]));
    config.setValue(L"Font", L"OpColor", hexColor(colors[2]));
    config.setValue(L"Font", L"NumberColor", hexColor(colors[3]));
    config.setValue(L"Font", L"SelColor", hexColor(colors[4]));
}

void fillCommon(lfConfig& config, const SettingsHost& host) {
    bool maximized = false;
    int x = -1, y = -1, width = -1, height = -1;
    host.getWindowPlacement(&maximized, &x, &y, &width, &height);
    config.setValue(L"Common", L"Maximized", decimal(maximized ? 1 : 0));
    config.setValue(L"Common", L"PositionX", decimal(x));
    config.setValue(L"Common", L"PositionY", decimal(y));
    config.setValue(L"Common", L"Width", decimal(width));
    config.setValue(L"Common", L"Height", decimal(height));
    config.setValue(L"Common", L"Verbose", host.getVerbose() ? L"1" : L"0");
}

// Writing, into memory first: the file is written only when every section could be obtained.
bool composeText(const lfConfig& config, std::wstring* text) {
    *text = settingsHeader();
    for (int i = 0; i < config.getSectionCount(); ++i) {
        const lfSection* section = config.getSection(i);
        if (section == nullptr) return false;
        *text += L"[" + section->getName() + L"]\n";
        for (int r = 0; r < section->getRecordCount(); ++r) {
            const lfRecord* record = section->getRecord(r);
            if (record) *text += L"   " + record->getKey() + L"=" + record->getValue() + L"\n";
        }
        *text += L"\n";
    }
    return true;
}

}  // namespace

bool loadSettings(lfConfig& config, const std::wstring& path, SettingsHost& host, std::string* problem) {
    if (!pathAccepted(path)) return false;
    {
        SettingsLineReader reader(path);
        const bool headerRead = reader.isOpen() && readHeader(reader);
        if (problem) *problem = reader.problem();
        if (!headerRead) return false;
        config.removeAll();
        readBody(reader, config);
    }
    if (config.getSectionCount() == 0 || config.getSectionCount() > config.getCapacity()) return false;
    applyHistory(config, host);
    applyFont(config, host);
    applyCommon(config, host);
    return true;
}

bool saveSettings(lfConfig& config, const std::wstring& path, SettingsHost& host, std::string* problem) {
    config.removeAll();
    for (const SettingsSectionKeys* keys : {&kSettingsCommon, &kSettingsHistory, &kSettingsFont}) {
        if (config.addSection(keys->name, keys->capacity) == nullptr) return false;
    }
    fillHistory(config, host);
    fillFont(config, host);
    fillCommon(config, host);
    std::wstring text;
    if (!composeText(config, &text)) return false;
    return writeFileAtomically(path, encodeSettingsText(text), problem);
}

std::wstring settingsHeader() { return settingsHeader(std::time(nullptr)); }

std::wstring settingsHeader(std::time_t when) {
    std::tm local{};
    char saved[64] = "";
    if (localtime_r(&when, &local)) std::strftime(saved, sizeof saved, "%Y-%m-%d %H:%M:%S", &local);
    std::wstring text = kSettingsHeaderLine;
    text += L"\n# Quarn <Version: 1.8 Build: 2104>\n# Saved: ";
    for (const char* p = saved; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    text += L" \n\n";
    return text;
}
