// SPDX-License-Identifier: MIT
// Usage output and batch mode: runs without any window or display. GUI-free.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/delvo_cmd_line.h"
#include "engine/messages.h"

class Interpreter;

/// What the command line asks for.
enum class StartMode { Usage, Batch, Window };

/// What the command line asks for: "-h"/"-help" alone, "-run input ...", or anything else (the window).
StartMode chooseStartMode(const DelvoCmdLine& args);
/// True when the options after the input of "-run" hold "-show" (the same scan as runBatch's).
bool batchShowsWindow(const DelvoCmdLine& args);
/// Why batch mode cannot run these arguments as given (too many, an input text or output name too long), as
/// the line(s) for standard error; empty when it can. Nothing is ever shortened silently.
std::string batchUsageError(const DelvoCmdLine& args);
/// Prints the usage text (with the exit-status note) to standard output.
void printUsage();

/// Result of a batch run.
struct BatchResult {
    bool lastSucceeded = true;  // the last item evaluated returned true (no item: true)
    bool show = false;          // "-show" was given
    bool inputReadable = true;  // false when the input file could not be opened
    bool outputWritten = true;  // false when "-out" named a file that could not be written
};

/// One command of batch mode and the line of the input file it stands on (0: from the command line).
struct BatchItem {
    std::wstring text;
    int line = 0;
};

/// Splits a command text at ";" into trimmed, non-empty pieces.
std::vector<std::wstring> splitCommands(const std::wstring& text);
/// What reading an input argument found besides its items, for a word on standard error.
struct BatchInputNotes {
    /// The file has more than 256 lines: the ones after were not read.
    bool linesCut = false;
    /// The argument names no file but reads like a file name ("commands.txt"): it was taken as a command.
    bool missingFile = false;
};

/// The items of an input argument: the text itself, or the lines of the file it names.
std::vector<std::wstring> batchItems(const std::wstring& input, bool* readable);
/// The same items with the file line each comes from (0 for a text given on the command line).
std::vector<BatchItem> numberedBatchItems(const std::wstring& input, bool* readable, BatchInputNotes* notes = nullptr);
/// The standard-error line for a failed command: "tallyx: infile:LINE: command: message" (for a text given on
/// the command line "tallyx: argument: command: message"); the message without its leading blanks and "!".
std::string batchFailureLine(const std::wstring& input, const BatchItem& item, const std::wstring& reply);
/// Writes text as UTF-16LE code units without byte-order mark or line end; false when it cannot be created or
/// written whole, with *problem (when given) saying why in the system's words.
bool writeUtf16File(const std::wstring& path, const std::wstring& text, std::string* problem = nullptr);

/// What batch mode writes on the terminal besides its result: each line, when, and what to do.
const std::vector<MessageEntry>& batchMessages();

/// Runs batch mode for "-run input [-out file] [-show]".
BatchResult runBatch(const DelvoCmdLine& args, Interpreter& interpreter);
