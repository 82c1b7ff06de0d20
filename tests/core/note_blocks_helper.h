// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of a note's blocks share.
#pragma once

#include <vector>

#include "core/note_blocks.h"

namespace lintrel::test {

// Small limits, so that the test notes have long lines.
constexpr BlockLimits kLimits{4096, 2048};

// The blocks from the first by Next: every one.
inline std::vector<NoteBlock> Walk(const NoteBlocks& blocks) {
    std::vector<NoteBlock> walked{blocks.First()};
    while (const auto next = blocks.Next(walked.back())) {
        walked.push_back(*next);
    }
    return walked;
}

}  // namespace lintrel::test
