// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace lintrel {

// Whether the process may run on more than one processor.
bool HasAnotherProcessor();

// Backs the whole pages of bytes [from, to) of the block at `data` with memory in one call:
// the pages its writes would fault in one by one. False where the kernel cannot.
bool BackPages(char* data, std::size_t from, std::size_t to);

// Backs a block of fresh memory with pages on a thread of its own, a little ahead of where
// the caller fills it: the kernel clears the pages on another processor, instead of in a
// fault for each page as the caller first writes it. The same pages either way, and never
// more than kAhead bytes past the caller's writes, so a block reserved larger than it is
// filled takes no more memory than the filling; writes and backing may meet at any page.
class PagePopulator {
  public:
    static constexpr std::size_t kAhead = std::size_t{16} << 20;
    // Below this much filled, a thread is not worth starting.
    static constexpr std::size_t kLeast = std::size_t{16} << 20;
    // Backed in steps of a huge page's size.
    static constexpr std::size_t kStep = std::size_t{2} << 20;

    PagePopulator() = default;
    PagePopulator(const PagePopulator&) = delete;
    PagePopulator& operator=(const PagePopulator&) = delete;
    ~PagePopulator() { Stop(); }

    // Starts backing [data, data + size) from byte `at` on, where the caller writes on,
    // when another processor can run it.
    void Start(char* data, std::size_t size, std::size_t at);
    // The caller writes on from byte `at` of the block.
    void Reached(std::size_t at) {
        const std::size_t was = reached_.load(std::memory_order_relaxed);
        if (at > was) {
            reached_.store(at, std::memory_order_release);
            // The backing waits for a step's worth of writes at least: woken once per step.
            if (at / kStep != was / kStep) {
                reached_.notify_one();
            }
        }
    }
    // Stops the backing and waits for it; the block may then move or be freed.
    void Stop();

  private:
    std::jthread thread_;
    std::atomic<std::size_t> reached_{0};
};

}  // namespace lintrel
