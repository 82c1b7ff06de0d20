// SPDX-License-Identifier: GPL-3.0-or-later
// A plain C read() of a whole file into one fresh buffer, as the measure a load is held to.
//   plain_read FILE
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    const int fd = open(argv[1], O_RDONLY);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    const auto size = static_cast<size_t>(st.st_size);
    char* buffer = static_cast<char*>(std::malloc(size + 1));
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, buffer + got, size - got);
        if (n <= 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    close(fd);
    std::printf("%zu bytes\n", got);
    std::free(buffer);
    return got == size ? 0 : 1;
}
