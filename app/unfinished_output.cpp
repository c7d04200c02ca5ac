// SPDX-License-Identifier: MIT
#include "app/unfinished_output.h"

void UnfinishedOutput::writeConsoleError(const std::string& text) const {
    if (m_path.empty() || m_console[1] < 0) {
        std::fputs(text.c_str(), stderr);
        std::fflush(stderr);
        return;
    }
    size_t done = 0;
    while (done < text.size()) {
        const long n = writeSome(m_console[1], text.data() + done, text.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
}
