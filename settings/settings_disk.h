// SPDX-License-Identifier: MIT
// Bytes on disk for the settings file: text-mode line reading, Latin-1, atomic save (one implementation per
// platform). GUI-free.
#pragma once

#include <cstdio>
#include <string>

/// Reads a file in pieces the way the C library's wide line reading in text mode does: CR LF counts as
/// one LF, and a piece ends after a LF or when it holds the maximum number of characters.
class SettingsLineReader {
public:
    /// Opens the file for reading; isOpen() tells whether that worked.
    explicit SettingsLineReader(const std::wstring& path);
    ~SettingsLineReader();
    SettingsLineReader(const SettingsLineReader&) = delete;
    SettingsLineReader& operator=(const SettingsLineReader&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    /// The next piece of at most maxChars characters (each byte one character); false at the end.
    bool readLine(int maxChars, std::wstring* line);
    /// Why the file could not be opened or read, in the system's words; empty when it could, or when there is
    /// no such file (a first start has none, which is nothing to report).
    const std::string& problem() const { return m_problem; }

private:
    int nextChar();

    std::FILE* m_file = nullptr;
    std::string m_problem;
};

/// Text as the file's bytes: "\n" becomes CR LF, a character above U+00FF becomes '?'.
std::string encodeSettingsText(const std::wstring& text);

/// Replaces the file at path by bytes: temporary file in the same folder, fsync, rename. False: the old
/// file (if any) is unchanged, no temporary file remains and *problem (when given) says why in the system's
/// words. A symbolic link is kept and its target written; a link that leads nowhere (a loop) is not replaced.
bool writeFileAtomically(const std::wstring& path, const std::string& bytes, std::string* problem = nullptr);
