// SPDX-License-Identifier: MIT
#include "engine/variable_store.h"

void VariableStore::reset() {
    for (int i = 0; i < kSlots; ++i) {
        varValue[i] = 0;
        varName[i] = std::wstring(1, wchar_t(L'a' + i));
        varSet[i] = false;
    }
    varCount = 0;
}

void VariableStore::dropOldestVariable() {
    for (int i = 0; i + 1 < kSlots; ++i) {
        varValue[i] = varValue[i + 1];
        varSet[i] = varSet[i + 1];
        // Longer names are lost: each slot is named by the letter its value came from.
        varName[i] = std::wstring(1, wchar_t(L'a' + i + 1));
    }
    varValue[kSlots - 1] = 0;
    varSet[kSlots - 1] = false;
    varName[kSlots - 1] = L"z";
    varCount = kSlots - 1;
}
