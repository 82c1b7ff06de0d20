// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/page_populator.h"

#include <sched.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <limits>
#include <system_error>

namespace lintrel {

bool HasAnotherProcessor() {
    cpu_set_t set;
    CPU_ZERO(&set);
    return sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 1;
}

bool BackPages(char* data, std::size_t from, std::size_t to) {
    // madvise takes whole pages; a page the bytes share with others is left to the writes.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + from + page - 1) & ~(page - 1);
    const std::uintptr_t last = (start + to) & ~(page - 1);
    return last <= first || madvise(data + (first - start), last - first, MADV_POPULATE_WRITE) == 0;
}

void PagePopulator::Start(char* data, std::size_t size, std::size_t at) {
    Stop();
    reached_.store(at);
    if (at >= size || !HasAnotherProcessor()) {
        return;
    }
    // Without a thread to be had, the writes back the pages.
    try {
        thread_ = std::jthread([this, data, size, at](const std::stop_token& stop) {
            for (std::size_t next = at; next < size; next += kStep) {
                // No further than kAhead past the writes.
                for (std::size_t reached = reached_.load(std::memory_order_acquire);
                     next >= reached + kAhead; reached = reached_.load()) {
                    if (stop.stop_requested()) {
                        return;
                    }
                    reached_.wait(reached);
                }
                // A kernel that cannot back pages ahead leaves them to the writes.
                if (stop.stop_requested() ||
                    !BackPages(data, next, size - next < kStep ? size : next + kStep)) {
                    return;
                }
            }
        });
    } catch (const std::system_error&) {
    }
}

void PagePopulator::Stop() {
    if (thread_.joinable()) {
        thread_.request_stop();
        // Wakes a wait for the writes.
        reached_.store(std::numeric_limits<std::size_t>::max());
        reached_.notify_all();
        thread_.join();
    }
}

}  // namespace lintrel
