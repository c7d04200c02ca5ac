// SPDX-License-Identifier: MIT
#include "app/copy_string.h"

#include <algorithm>

int copyString(const std::wstring& text, wchar_t* buffer, int size) {
    if (!buffer || size < 1 || size > 383 || text.size() > 383) return -1;
    if (text.size() + 1 > static_cast<size_t>(size)) {
        buffer[0] = L'\0';
        return -1;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return static_cast<int>(text.size());
}
