// SPDX-License-Identifier: MIT
// Batch mode's output file while it is being made. GUI-free; one implementation per platform.
#pragma once

#include <cstdio>
#include <string>

/// The output file while batch mode runs: a temporary file beside it that receives standard output and error
/// and, at the end, the result; renamed to the output file only when complete. An end request meanwhile
/// removes it, so the output file is either complete or absent (an earlier one stays untouched).
class UnfinishedOutput {
public:
    UnfinishedOutput() = default;
    ~UnfinishedOutput();
    UnfinishedOutput(const UnfinishedOutput&) = delete;
    UnfinishedOutput& operator=(const UnfinishedOutput&) = delete;

    /// Creates the temporary file and redirects standard output and error into it; false: no redirection, and
    /// *problem says why in the system's words.
    bool begin(const std::wstring& outPath, std::string* problem);
    /// The temporary file; empty when there is none.
    const std::wstring& path() const { return m_path; }
    /// Writes text to the standard error the program was started with, also while it is redirected.
    void writeConsoleError(const std::string& text) const;
    /// The result could not be written: the temporary file goes, standard output and error return.
    void abandon();
    /// The output file is complete: it takes the output file's name. Standard output and error return to
    /// the console, so nothing printed later (a message of the window after "-show") lands in the file. False
    /// when the name cannot be taken (*problem says why): the temporary file goes and an earlier file stays.
    bool finish(const std::wstring& outPath, std::string* problem);

private:
    void restoreConsole();
    /// Writes up to size bytes to a descriptor; the count written, or 0 or less when nothing could be.
    static long writeSome(int fd, const char* data, size_t size);

    std::wstring m_path;
    int m_console[2] = {-1, -1};
};
