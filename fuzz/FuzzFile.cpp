#include "FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

FuzzFile::FuzzFile() {
    m_fd = memfd_create("sonalyx-fuzz", 0);
    if (m_fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    m_path = "/proc/self/fd/" + std::to_string(m_fd);
}

FuzzFile::~FuzzFile() {
    if (m_fd >= 0) close(m_fd);
}

const std::string& FuzzFile::Fill(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(m_fd, 0) != 0 || pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size)) {
        std::perror("FuzzFile");
        std::abort();
    }
    return m_path;
}
