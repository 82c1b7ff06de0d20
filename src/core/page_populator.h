// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <thread>

namespace lintrel {

// Backs a block of fresh memory with pages on a thread of its own, front to back, while the
// caller fills the block: the kernel clears the pages on another processor, instead of in a
// fault for each page as the caller first writes it. The same pages either way, so it never
// takes more memory than the filling would; the caller's writes and the backing may meet at
// any page.
class PagePopulator {
  public:
    PagePopulator() = default;
    PagePopulator(const PagePopulator&) = delete;
    PagePopulator& operator=(const PagePopulator&) = delete;
    ~PagePopulator() { Stop(); }

    // Starts backing [data, data + size) where it pays: a block large enough, and another
    // processor to run on.
    void Start(char* data, std::size_t size);
    // Stops the backing and waits for it; the block may then move or be freed.
    void Stop();

  private:
    std::jthread thread_;
};

}  // namespace lintrel
