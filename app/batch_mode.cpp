// SPDX-License-Identifier: MIT
#include "app/batch_mode.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <filesystem>

#include <vector>

#include "app/process_console.h"
#include "app/unfinished_output.h"
#include "engine/interpreter.h"
#include "engine/messages.h"
#include "libs/file/lf_path.h"

namespace {

constexpr size_t kItemMax = 383;  // characters of an input text or a file line
constexpr int kLinesMax = 256;
constexpr size_t kOutputNameMax = DelvoCmdLine::kMaxLength;

std::wstring decimal(long long number) { return std::to_wstring(number); }

// What batch mode writes on the terminal, each text defined once; "{name}" marks where a value goes.
const std::wstring kUsageLine = L"Usage: tallyx -run infile [-out outfile] [-show]";
const std::wstring kTooManyArguments =
    L"tallyx: too many arguments (at most " + decimal(DelvoCmdLine::kMaxArgs - 1) + L")";
const std::wstring kInputTooLong =
    L"tallyx: the input text is longer than " + decimal(kItemMax) + L" characters; put the commands in a file";
const std::wstring kOutputNameTooLong =
    L"tallyx: the output file name is longer than " + decimal(kOutputNameMax) + L" characters";
const wchar_t* const kFailedInFile = L"tallyx: {infile}:{line}: {command}: {message}";
const wchar_t* const kFailedInArgument = L"tallyx: argument: {command}: {message}";
const wchar_t* const kFailedWithoutMessage = L"failed";
const std::wstring kLinesCut = L"tallyx: {infile}: lines after " + decimal(kLinesMax) + L" were not run";
const wchar_t* const kNoFile = L"tallyx: no file '{infile}'; the argument was run as a command";
const wchar_t* const kOutputNotWritten = L"tallyx: the output file {outfile} was not written: {reason}";
const wchar_t* const kResultWentToConsole = L"; the result went to standard output";
const wchar_t* const kCannotOpenInput =
    L"DelvoCalculator: cannot open the input file\nUsage: tallyx -run infile -out outfile [-show]";
const wchar_t* const kCannotCreateOutput =
    L"DelvoCalculator: cannot create the output file\nUsage: tallyx -run inputfile -out outputfile [-show]";

/// A terminal line: the text in UTF-8 and a line end.
std::string terminalLine(const std::wstring& text) { return utf8FromWide(text) + "\n"; }

bool equalsNoCase(const std::wstring& a, const wchar_t* b) {
    const std::wstring other(b);
    if (a.size() != other.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(other[i])) return false;
    return true;
}

std::wstring trimBlanks(const std::wstring& text) {
    const wchar_t* blanks = L" \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void printWide(const std::wstring& text) { std::fputs(utf8FromWide(text).c_str(), stdout); }

/// The whole file; false when it cannot be opened.
bool readFileBytes(const std::wstring& path, std::string* bytes) {
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) return false;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes->append(buffer, n);
    std::fclose(file);
    return true;
}

/// The file's lines as the C runtime's text mode gives them: pieces of at most 383 characters, CR LF as LF,
/// each with the number of the file line it belongs to. *cut tells whether text was left after the 256th.
std::vector<BatchItem> readTextLines(const std::string& bytes, bool* cut) {
    std::wstring text = wideFromUtf8(bytes);
    std::vector<BatchItem> lines;
    std::wstring current;
    int number = 1;
    size_t i = 0;
    for (; i < text.size() && static_cast<int>(lines.size()) < kLinesMax; ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        current += text[i];
        if (text[i] == L'\n' || current.size() == kItemMax) {
            lines.push_back({std::move(current), number});
            current.clear();
            if (text[i] == L'\n') ++number;
        }
    }
    // The loop ends on the line limit only right after a line was taken: what is left here fits.
    if (!current.empty()) lines.push_back({std::move(current), number});
    *cut = i < text.size();
    return lines;
}

/// A text that names a file rather than holding commands: a name with an extension, "commands.txt".
bool readsLikeFileName(const std::wstring& text) {
    const size_t dot = text.rfind(L'.');
    if (dot == std::wstring::npos || dot == 0 || dot + 1 >= text.size() || text.find(L';') != std::wstring::npos)
        return false;
    if (!std::iswalpha(text[dot + 1])) return false;
    for (size_t i = dot + 1; i < text.size(); ++i)
        if (!std::iswalnum(text[i])) return false;
    return true;
}

}  // namespace

StartMode chooseStartMode(const DelvoCmdLine& args) {
    if (args.argc == 2 && (equalsNoCase(args.argv[1], L"-help") || equalsNoCase(args.argv[1], L"-h")))
        return StartMode::Usage;
    if (args.argc >= 3 && equalsNoCase(args.argv[1], L"-run") && !args.argv[0].empty() && !args.argv[2].empty())
        return StartMode::Batch;
    return StartMode::Window;
}

bool batchShowsWindow(const DelvoCmdLine& args) {
    bool outSeen = false;
    for (int i = 3; i < args.argc; ++i) {
        if (equalsNoCase(args.argv[i], L"-show")) return true;
        // "-out" takes the next argument as its file ("-out -show" writes to a file named -show).
        if (!outSeen && equalsNoCase(args.argv[i], L"-out") && i + 1 < args.argc) {
            outSeen = true;
            ++i;
        }
    }
    return false;
}

std::string batchUsageError(const DelvoCmdLine& args) {
    const std::string usage = "\n" + terminalLine(kUsageLine);
    if (args.given > DelvoCmdLine::kMaxArgs) return utf8FromWide(kTooManyArguments) + usage;
    std::error_code error;
    if (args.whole[2].size() > kItemMax &&
        !std::filesystem::is_regular_file(nativePath(args.whole[2]), error))
        return utf8FromWide(kInputTooLong) + usage;
    for (int i = 3; i + 1 < args.argc; ++i)
        if (equalsNoCase(args.argv[i], L"-out") && args.whole[i + 1].size() > kOutputNameMax)
            return utf8FromWide(kOutputNameTooLong) + usage;
    return {};
}

void printUsage() {
    win32EnableConsole();
    std::fputs("\n", stdout);
    std::fputs("\nDelvoCalculator Version 1.8 Build 2104: a console-style scientific calculator.", stdout);
    std::fputs("\nWritten by the DelvoCalculator developers.", stdout);
    std::fputs("\nBatch mode evaluates the commands of infile (or the commands themselves, separated by ;).", stdout);
    std::fputs(("\n" + terminalLine(kUsageLine)).c_str(), stdout);
    std::fputs("Exit status: 0 when the last command succeeded, 1 when it failed.\n", stdout);
    std::fputs("A failing command is named on standard error: tallyx: infile:line: command: message\n", stdout);
    std::fputs("Standard error also tells when infile has more than 256 lines (the rest is not run), when infile\n"
               "does not exist (the argument is run as a command) and when a solve finds no root.\n",
               stdout);
    std::fputs("When outfile cannot be written, standard error says why, the result goes to standard output and\n"
               "the exit status is 1; an earlier outfile stays as it was.\n",
               stdout);
    win32SendEnterKey();
}

std::vector<std::wstring> splitCommands(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L';', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring piece = trimBlanks(text.substr(start, end - start));
        if (!piece.empty()) pieces.push_back(std::move(piece));
        start = end + 1;
    }
    return pieces;
}

std::vector<std::wstring> batchItems(const std::wstring& input, bool* readable) {
    std::vector<std::wstring> texts;
    for (BatchItem& item : numberedBatchItems(input, readable)) texts.push_back(std::move(item.text));
    return texts;
}

std::vector<BatchItem> numberedBatchItems(const std::wstring& input, bool* readable, BatchInputNotes* notes) {
    *readable = true;
    BatchInputNotes unused;
    if (notes == nullptr) notes = &unused;
    *notes = BatchInputNotes{};
    std::error_code error;
    const std::filesystem::path path = nativePath(input);
    if (!std::filesystem::is_regular_file(path, error)) {
        notes->missingFile = readsLikeFileName(input) && !std::filesystem::exists(path, error);
        std::vector<BatchItem> items;
        if (input.find(L';') == std::wstring::npos) return {{input, 0}};
        for (std::wstring& piece : splitCommands(input)) items.push_back({std::move(piece), 0});
        return items;
    }
    std::string bytes;
    if (!readFileBytes(input, &bytes)) {
        *readable = false;
        std::fputs(terminalLine(kCannotOpenInput).c_str(), stdout);
        return {};
    }
    std::vector<BatchItem> items;
    for (BatchItem& line : readTextLines(bytes, &notes->linesCut)) {
        if (!line.text.empty() && line.text[0] == L'#') continue;
        if (line.text.find(L';') != std::wstring::npos) {
            for (std::wstring& piece : splitCommands(line.text)) items.push_back({std::move(piece), line.line});
        } else {
            items.push_back(std::move(line));  // with its line end: the interpreter sees the line as the file holds it
        }
    }
    return items;
}

std::string batchFailureLine(const std::wstring& input, const BatchItem& item, const std::wstring& reply) {
    std::wstring message = reply;
    message.erase(0, std::min(message.find_first_not_of(L" !"), message.size()));
    if (message.empty()) message = kFailedWithoutMessage;
    const std::wstring command = trimBlanks(item.text);
    if (item.line > 0) return terminalLine(fillMessage(kFailedInFile, {input, decimal(item.line), command, message}));
    return terminalLine(fillMessage(kFailedInArgument, {command, message}));
}

const std::vector<MessageEntry>& batchMessages() {
    using P = MessagePlace;
    static const std::vector<MessageEntry> table = {
        {kFailedInFile, P::Terminal,
         L"A command of the input file failed: batch mode stopped there. The message is the reply's, without its "
         L"\"!\" (\"" +
             std::wstring(kFailedWithoutMessage) +
             L"\" when the reply is empty). A solve that found no root writes the same line with the reason as its "
             L"message, and goes on.",
         L"Correct that line; the line number counts the file's lines, comments included."},
        {kFailedInArgument, P::Terminal, L"The same for commands given on the command line.", L"Correct the command."},
        {kLinesCut, P::Terminal,
         L"The input file has more than " + decimal(kLinesMax) + L" lines (a line of more than " + decimal(kItemMax) +
             L" characters counts as several); the rest was not run.",
         L"Split the file, or join short commands on one line with \";\"."},
        {kNoFile, P::Terminal,
         L"The input reads like a file name (a name with an extension) but no such file exists; it was run as a "
         L"command and most often failed.",
         L"Check the file's name and folder."},
        {std::wstring(kOutputNotWritten) + kResultWentToConsole, P::Terminal,
         L"The file of -out cannot be written (a full disk, a folder without write permission); the result went to "
         L"standard output instead, an earlier file stays as it was, and the exit status is 1. Without a result "
         L"the line ends after the reason.",
         L"Free space or choose another folder."},
        {kCannotCreateOutput, P::Terminal, L"The same, on standard output, before the result.", L"As above."},
        {kCannotOpenInput, P::Terminal,
         L"The input file exists but cannot be read (on standard output); nothing is run and the exit status is 1.",
         L"Check the file's permissions."},
        {kInputTooLong, P::Terminal,
         L"The commands given on the command line are longer than " + decimal(kItemMax) +
             L" characters; the usage line follows and nothing is run.",
         L"Put the commands in a file, one or more to a line."},
        {kOutputNameTooLong, P::Terminal, L"The name after -out is too long; nothing is run.",
         L"Choose a shorter name or folder."},
        {kTooManyArguments, P::Terminal, L"More arguments follow -run than batch mode takes; nothing is run.",
         L"Give the input, -out with its file and -show, nothing more."},
    };
    return table;
}

bool writeUtf16File(const std::wstring& path, const std::wstring& text, std::string* problem) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    auto unit = [&bytes](unsigned value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    };
    for (wchar_t wc : text) {
        const unsigned c = static_cast<unsigned>(wc);
        if (c >= 0x10000 && c <= 0x10FFFF) {  // a 32-bit wchar_t (Linux): surrogate pairs for UTF-16
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    const auto fail = [problem](int error) {
        if (problem) *problem = error ? std::strerror(error) : "the file cannot be written";
        return false;
    };
    errno = 0;
    std::FILE* file = openFile(path, "wb");
    if (file == nullptr) return fail(errno);
    // A full disk shows at the write, the flush or the close: each is checked.
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    const int error = written ? 0 : errno;
    if (std::fclose(file) != 0 && written) return fail(errno);
    return written || fail(error);
}

namespace {

/// The standard-error line for an output file that did not come to be.
std::string outputFileProblem(const std::wstring& outPath, const std::string& problem, bool toConsole) {
    return terminalLine(fillMessage(kOutputNotWritten, {outPath, wideFromUtf8(problem)}) +
                        (toConsole ? kResultWentToConsole : L""));
}

}  // namespace

BatchResult runBatch(const DelvoCmdLine& args, Interpreter& interpreter) {
    BatchResult result;
    // The options after the input.
    bool showSeen = false, redirected = false, outGiven = false;
    std::wstring outPath;
    std::string outProblem;
    UnfinishedOutput unfinished;
    for (int i = 3; i < args.argc && !(showSeen && redirected); ++i) {
        if (equalsNoCase(args.argv[i], L"-show")) {
            showSeen = result.show = true;
        } else if (!redirected && equalsNoCase(args.argv[i], L"-out") && i + 1 < args.argc) {
            outPath = args.whole[++i];
            outGiven = true;
            win32EnableConsole();
            redirected = unfinished.begin(outPath, &outProblem);
        }
    }
    if (!redirected) win32EnableConsole();
    // An output file that cannot even be started: the result goes to the console, and standard error says why.
    if (outGiven && !redirected) result.outputWritten = false;
    // The items, stopping after the first failure.
    const std::wstring& input = args.whole[2];
    BatchInputNotes notes;
    const std::vector<BatchItem> items = numberedBatchItems(input, &result.inputReadable, &notes);
    if (notes.missingFile) unfinished.writeConsoleError(terminalLine(fillMessage(kNoFile, {input})));
    std::wstring output;
    for (const BatchItem& item : items) {
        result.lastSucceeded = interpreter.evaluateLine(item.text, &output);
        if (result.lastSucceeded) {
            // A solve that found no root answers as usual; why it found none goes to the terminal only.
            if (!interpreter.solveNote().empty()) {
                std::fflush(stdout);
                unfinished.writeConsoleError(batchFailureLine(input, item, interpreter.solveNote()));
            }
            continue;
        }
        // Where the batch stopped, for the terminal only: standard output and the output file stay as they are.
        std::fflush(stdout);
        unfinished.writeConsoleError(batchFailureLine(input, item, output));
        break;
    }
    if (notes.linesCut && result.lastSucceeded)
        unfinished.writeConsoleError(terminalLine(fillMessage(kLinesCut, {input})));
    if (!result.inputReadable) result.lastSucceeded = false;
    // The last output.
    std::fflush(stdout);
    if (redirected) {
        win32EnableConsole();
        const bool complete = (output.empty() || writeUtf16File(unfinished.path(), output, &outProblem)) &&
                              unfinished.finish(outPath, &outProblem);
        if (!complete) {
            unfinished.abandon();
            redirected = result.outputWritten = false;
            if (!output.empty()) std::fputs(terminalLine(kCannotCreateOutput).c_str(), stdout);
        }
    }
    if (!redirected && !output.empty()) printWide(L"\n" + output + L"\n");
    std::fflush(stdout);
    if (!result.outputWritten) {
        std::fputs(outputFileProblem(outPath, outProblem, !output.empty()).c_str(), stderr);
        std::fflush(stderr);
    }
    return result;
}
