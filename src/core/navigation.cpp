// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/navigation.h"

#include <algorithm>

#include "core/note_search.h"
#include "platform/number_reading.h"

namespace lintrel {

namespace {

bool Exists(const NoteList& notes, long long k) {
    return k >= 1 && k <= static_cast<long long>(notes.Count());
}

}  // namespace

LineCheck CheckLine(int n, std::size_t count) {
    if (n >= 1 && static_cast<std::size_t>(n) <= count) {
        return LineCheck::Show;
    }
    return n < 1 ? LineCheck::BelowOne : LineCheck::AboveCount;
}

GoToCheck CheckGoTo(std::string_view answer, std::size_t count) {
    using Result = GoToCheck::Result;
    const double number = ReadNumber(answer);
    if (const std::optional<std::int16_t> n = RoundToInt16(number)) {
        switch (CheckLine(*n, count)) {
            case LineCheck::Show:
                return {Result::Show, *n};
            case LineCheck::BelowOne:
                return {Result::BelowOne, *n};
            case LineCheck::AboveCount:
                return {Result::AboveCount, *n};
        }
    }
    if (number < 0) {
        return {Result::BelowOne, 0};
    }
    if (number > static_cast<double>(count)) {
        return {Result::AboveCount, 0};
    }
    return {Result::BeyondShown, 0};
}

std::optional<FoundNote> FindNote(const NoteList& notes, int current, const QString& text,
                                  const QByteArray& codePage) {
    const int last = static_cast<int>(std::min<std::size_t>(notes.Count(), kHighestShownNote));
    if (last == 0 || text.isEmpty()) {
        return std::nullopt;
    }
    const NoteSearch search(text);
    // Where the search starts: after the note shown, or at note 1 when that lies outside.
    const int first = current >= 1 && current <= last ? current % last + 1 : 1;
    for (int i = 0, k = first; i < last; ++i, k = k % last + 1) {
        const std::string_view note = notes.Note(static_cast<std::size_t>(k));
        if (const std::optional<std::size_t> near = search.FoundAt(codePage, note)) {
            return FoundNote{k, *near};
        }
    }
    return std::nullopt;
}

std::optional<int> NextNote(const NoteList& notes, int current) {
    const auto count = static_cast<long long>(notes.Count());
    if (current == count) {
        return std::nullopt;
    }
    const long long next = static_cast<long long>(current) + 1;
    if (next == count && Exists(notes, next)) {
        // The last note is shown even when it is blank.
        if (next > kHighestShownNote) {
            return std::nullopt;
        }
        return static_cast<int>(next);
    }
    long long target = next;
    while (target <= kHighestShownNote && Exists(notes, target) &&
           notes.IsBlank(static_cast<std::size_t>(target))) {
        ++target;
    }
    if (target > kHighestShownNote || !Exists(notes, target)) {
        return std::nullopt;
    }
    return static_cast<int>(target);
}

std::optional<int> PreviousNote(const NoteList& notes, int current) {
    if (current == 1) {
        return std::nullopt;
    }
    if (current == 2) {
        // The first note is shown even when it is blank.
        return Exists(notes, 1) ? std::optional<int>(1) : std::nullopt;
    }
    long long target = static_cast<long long>(current) - 1;
    while (Exists(notes, target) && notes.IsBlank(static_cast<std::size_t>(target))) {
        --target;
    }
    if (!Exists(notes, target) || target > kHighestShownNote) {
        return std::nullopt;
    }
    return static_cast<int>(target);
}

std::uint32_t RandomSeed(const ClockReading& clock) {
    const auto sum = static_cast<std::uint32_t>(clock.second + clock.minute + clock.hour +
                                                clock.day + clock.month + clock.year);
    return sum * sum;
}

namespace {

std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

void RandomGenerator::Reseed(std::uint32_t seed) {
    state_ = Mix(state_ ^ (static_cast<std::uint64_t>(seed) * 0x9E3779B97F4A7C15ULL));
}

float RandomGenerator::Draw() {
    state_ += 0x9E3779B97F4A7C15ULL;
    // 24 random bits give every float of [0, 1) on a grid of 2^-24.
    return static_cast<float>(Mix(state_) >> 40) * (1.0f / 16777216.0f);
}

long long NoteForDraw(float r, std::size_t count) {
    const auto k =
        static_cast<long long>(RoundHalfEven(static_cast<double>(r) * static_cast<double>(count)));
    return k == 0 ? 1 : k;
}

std::optional<int> DrawRandomNote(const NoteList& notes, RandomGenerator& generator) {
    const std::size_t count = notes.Count();
    if (count == 0) {
        return std::nullopt;
    }
    std::optional<int> current;
    bool candidateBlank = true;
    // r x N from here on rounds to a note above the highest showable number.
    const double unshowable = kHighestShownNote + 0.5;
    for (std::size_t draws = 0; candidateBlank && draws <= count; ++draws) {
        const float r = generator.Draw();
        // A note above the highest showable number cannot be shown: the draw counts, and the
        // next one is drawn.
        if (static_cast<double>(r) * static_cast<double>(count) >= unshowable) {
            continue;
        }
        current = static_cast<int>(NoteForDraw(r, count));
        candidateBlank = notes.IsBlank(static_cast<std::size_t>(*current));
    }
    return current;
}

}  // namespace lintrel
