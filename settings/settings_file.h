// SPDX-License-Identifier: MIT
// The settings file "tallyx.quarnr": header, reader and writer. GUI-free.
//
// On disk one byte per character (Latin-1; a character above U+00FF is written as '?'), lines end in
// CR LF on every platform; the reader accepts CR LF and LF. A save writes a temporary file in the same
// folder, flushes it to disk and renames it over the old file, so a failed or interrupted save leaves
// the previous file as it was.
#pragma once

#include <ctime>
#include <string>

class lfConfig;
class SettingsHost;

/// The header line, 48 characters.
extern const wchar_t kSettingsHeaderLine[];

/// Reads the file at path into config and applies it to host; false when nothing was applied. *problem (when
/// given) says why a file that is there could not be read; it stays empty for a missing or a foreign file.
bool loadSettings(lfConfig& config, const std::wstring& path, SettingsHost& host, std::string* problem = nullptr);
/// Fills config from host and writes the file at path; false when the file was not written, with *problem
/// (when given) saying why the file system refused it.
bool saveSettings(lfConfig& config, const std::wstring& path, SettingsHost& host, std::string* problem = nullptr);
/// Lines 1 to 4 of the file ("\n" line ends), with the current local time.
std::wstring settingsHeader();
/// The same with the local time of `when`.
std::wstring settingsHeader(std::time_t when);
