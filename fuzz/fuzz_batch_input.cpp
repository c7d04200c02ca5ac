// SPDX-License-Identifier: MIT
// The batch input reader on any file bytes (NUL, lone CR, UTF-8 and UTF-16 text, very long lines), and the
// same bytes as a command text.
#include <cstddef>
#include <cstdint>

#include "app/batch_mode.h"
#include "fuzz/fuzz_support.h"
#include "libs/file/lf_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzFile(data, size, "input.txt");
    bool readable = false;
    const std::vector<std::wstring> items = batchItems(wideFromUtf8(path), &readable);
    if (!readable || items.size() > 256 * 384) __builtin_trap();
    for (const std::wstring& item : items)
        if (item.size() > 383) __builtin_trap();
    splitCommands(fuzzText(data, size < 384 ? size : 383));
    return 0;
}
