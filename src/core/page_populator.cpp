// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/page_populator.h"

#include <sched.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <limits>

namespace lintrel {

namespace {

bool AnotherProcessor() {
    cpu_set_t set;
    CPU_ZERO(&set);
    return sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 1;
}

}  // namespace

void PagePopulator::Start(char* data, std::size_t size, std::size_t at) {
    Stop();
    reached_.store(at);
    if (at >= size || !AnotherProcessor()) {
        return;
    }
    // madvise takes whole pages.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + at + page - 1) & ~(page - 1);
    const std::uintptr_t last = (start + size) & ~(page - 1);
    thread_ = std::jthread([this, start, first, last](const std::stop_token& stop) {
        for (std::uintptr_t next = first; next < last; next += kStep) {
            // No further than kAhead past the writes.
            for (std::size_t reached = reached_.load(std::memory_order_acquire);
                 next - start >= reached + kAhead; reached = reached_.load()) {
                if (stop.stop_requested()) {
                    return;
                }
                reached_.wait(reached);
            }
            if (stop.stop_requested()) {
                return;
            }
            const std::size_t length = last - next < kStep ? last - next : kStep;
            // A kernel that cannot back pages ahead leaves them to the writes.
            if (madvise(reinterpret_cast<void*>(next), length, MADV_POPULATE_WRITE) != 0) {
                return;
            }
        }
    });
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
