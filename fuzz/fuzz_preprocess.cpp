// SPDX-License-Identifier: MIT
// The console's expression preprocessing (ans, constants, factorials, base prefixes, exponents).
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/preprocess.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LastAnswer ans;
    if (size >= sizeof(double) + 1) {
        std::memcpy(&ans.value, data, sizeof(double));
        ans.set = data[sizeof(double)] & 1;
        data += sizeof(double) + 1;
        size -= sizeof(double) + 1;
    }
    std::wstring text = fuzzText(data, size);
    const int length = preprocessExpression(ans, text);
    if (length != static_cast<int>(text.size())) __builtin_trap();
    return 0;
}
