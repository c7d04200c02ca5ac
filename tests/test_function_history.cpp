// SPDX-License-Identifier: MIT
// The solver's function history.
#include <gtest/gtest.h>

#include <string>

#include "tools/function_history.h"

namespace {

// Empty texts and duplicates regardless of case are refused; when full, the 5 oldest go first, also when the
// text offered then turns out to be a duplicate.
TEST(FunctionHistory, RefusesDuplicatesAndDropsTheOldestFiveWhenFull) {
    FunctionHistory history;
    EXPECT_FALSE(history.add(L""));
    EXPECT_TRUE(history.add(L"sin(x)"));
    EXPECT_FALSE(history.add(L"SIN(X)"));
    for (int i = 2; i <= 12; ++i) EXPECT_TRUE(history.add(L"f" + std::to_wstring(i)));
    EXPECT_EQ(history.count(), 12);
    EXPECT_TRUE(history.add(L"new"));
    EXPECT_EQ(history.count(), 8);
    const std::wstring expected[] = {L"f6", L"f12", L"new", L"", L""};
    const int indexes[] = {0, 6, 7, 8, -1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(history.at(indexes[i]), expected[i]) << indexes[i];
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(history.add(L"g" + std::to_wstring(i)));
    EXPECT_FALSE(history.add(L"NEW"));
    EXPECT_EQ(history.count(), 7);
}

}  // namespace
