// SPDX-License-Identifier: MIT
// Helpers shared by the fuzz targets: input bytes as text, and as a file on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

/// Bytes as wide text, one character per byte (the readers under test see every byte value).
inline std::wstring fuzzText(const uint8_t* data, size_t size) { return std::wstring(data, data + size); }

/// A file of this process holding exactly the bytes; its path.
inline std::string fuzzFile(const uint8_t* data, size_t size, const char* name) {
    const std::string path = "/tmp/delvo_fuzz_" + std::to_string(::getpid()) + "_" + name;
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}
