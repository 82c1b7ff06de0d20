// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/page_populator.h"

#include <sched.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace lintrel {

namespace {

// Below this a thread is not worth starting.
constexpr std::size_t kLeast = std::size_t{16} << 20;
// Backed in steps of a huge page's size, so that a stop is heard soon.
constexpr std::size_t kStep = std::size_t{2} << 20;

bool AnotherProcessor() {
    cpu_set_t set;
    CPU_ZERO(&set);
    return sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 1;
}

}  // namespace

void PagePopulator::Start(char* data, std::size_t size) {
    Stop();
    if (size < kLeast || !AnotherProcessor()) {
        return;
    }
    // madvise takes whole pages.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t last = (start + size) & ~(page - 1);
    thread_ = std::jthread([first, last](const std::stop_token& stop) {
        for (std::uintptr_t at = first; at < last && !stop.stop_requested(); at += kStep) {
            const std::size_t length = last - at < kStep ? last - at : kStep;
            // A kernel that cannot back pages ahead leaves them to the writes.
            if (madvise(reinterpret_cast<void*>(at), length, MADV_POPULATE_WRITE) != 0) {
                return;
            }
        }
    });
}

void PagePopulator::Stop() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

}  // namespace lintrel
