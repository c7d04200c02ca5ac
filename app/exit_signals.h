// SPDX-License-Identifier: MIT
// What the process does when the session asks it to end (terminal closed, logout, kill, Ctrl+C). GUI-free.
#pragma once

#include <string>

/// A write beyond the file-size limit (`ulimit -f`) fails like a full disk instead of ending the process, so
/// the settings save and the output file can say what happened and leave earlier files as they were.
void failWritesBeyondSizeLimit();

/// Batch mode: an end request ends the process at once with the signal's own status; a file named here (the
/// unfinished output) is removed first, so the output file is either complete or absent. Empty: none.
void endAtOnceRemoving(const std::string& unfinishedFile);

/// Window mode: an end request is only noted; the UI thread polls exitRequested() and shuts down normally.
/// A second request while it does so ends the process at once.
void noteExitRequests();
/// True once an end request arrived after noteExitRequests().
bool exitRequested();
