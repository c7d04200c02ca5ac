// SPDX-License-Identifier: MIT
// libFuzzer target for the math library: any text through init/eval/evalfx and the number-text helpers.
// Built and run with the others by `make fuzz` (dictionary fuzz/fuzz_math.dict).
#include "libs/math/lm_math.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static lmDelvo engine;  // one engine as the application holds it; its parser is reused like per line
    static lmParam param;
    // Bytes as code units: ASCII mostly, a few above 127 to exercise the refusal of non-ASCII text.
    std::wstring text(data, data + size);
    lmValues values{};
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(i) - 3.5;

    engine.clearError();
    lmParser parser(&engine, &param);
    if (parser.init(text) > 0) {
        const double value = parser.eval("abcdefghijklmnopqrstuvwxyz", values);
        parser.evalfx(value);
        std::wstring out;
        lm_reformatAuto(value, out, 15);
    }
    parser.release();

    std::wstring copy = text;
    lm_removeSpace(copy);
    lm_reformat(copy, true);
    lm_toDouble(text);
    return 0;
}
