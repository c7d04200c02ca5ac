// SPDX-License-Identifier: MIT
#include "settings/settings_disk.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "libs/file/lf_path.h"

SettingsLineReader::SettingsLineReader(const std::wstring& path) {
    errno = 0;
    m_file = openFile(path, "rb");
    if (m_file == nullptr && errno != ENOENT) m_problem = errno ? std::strerror(errno) : "cannot be opened";
}

SettingsLineReader::~SettingsLineReader() {
    if (m_file) std::fclose(m_file);
}

int SettingsLineReader::nextChar() {
    int c = std::getc(m_file);
    // Text mode: CR LF reads as LF; a lone CR stays.
    if (c == '\r') {
        const int next = std::getc(m_file);
        if (next == '\n') return '\n';
        if (next != EOF) std::ungetc(next, m_file);
    }
    return c;
}

bool SettingsLineReader::readLine(int maxChars, std::wstring* line) {
    line->clear();
    if (!m_file || maxChars < 1) return false;
    while (static_cast<int>(line->size()) < maxChars) {
        errno = 0;
        const int c = nextChar();
        if (c == EOF) {
            // A folder opens on some systems and fails at the first read.
            if (std::ferror(m_file) && m_problem.empty()) m_problem = errno ? std::strerror(errno) : "read error";
            break;
        }
        // One byte is one character: Latin-1.
        line->push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        if (c == '\n') break;
    }
    return !line->empty();
}

std::string encodeSettingsText(const std::wstring& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (wchar_t wc : text) {
        if (wc == L'\n') {
            out += "\r\n";
        } else {
            const auto c = static_cast<std::uint32_t>(wc);
            out += c <= 0xFF ? static_cast<char>(c) : '?';
        }
    }
    return out;
}
