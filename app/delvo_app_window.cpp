// SPDX-License-Identifier: MIT
// DelvoApp's normal start (spec Part 1.1, step 7). Placeholder until the console window lands.
#include "app/delvo_app.h"

#include <cstdio>

bool DelvoApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    return startWindow();
}

bool DelvoApp::startWindow() {
    std::fputs("DelvoCalculator: the console window is not available yet; use batch mode (tallyx -h).\n", stdout);
    return false;
}

ConsoleWindow* DelvoApp::mainWindow() const { return nullptr; }
