#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An in-memory file (memfd) that a fuzz target refills with each input, so the readers under
// test open it by path as they open any file. One per process.
class FuzzFile {
public:
    FuzzFile();
    ~FuzzFile();
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    // Replaces the content with `size` bytes of `data`; returns the path to open.
    const std::string& Fill(const std::uint8_t* data, std::size_t size);

private:
    int m_fd = -1;
    std::string m_path;
};
