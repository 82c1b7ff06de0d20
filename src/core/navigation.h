// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include <QByteArray>
#include <QString>

#include "core/note_list.h"

namespace lintrel {

enum class LineCheck { Show, BelowOne, AboveCount };

// Whether note `n` of a list of `count` notes can be shown, or which message refuses it.
LineCheck CheckLine(int n, std::size_t count);

// What Go to does with an answer that is not empty: show note `note`, or which message
// refuses it. Beyond the 16-bit range no note can be shown: below it, and above the list, the
// usual messages fit; inside a list longer than the range, BeyondShown names the highest
// number that can be shown.
struct GoToCheck {
    enum class Result { Show, BelowOne, AboveCount, BeyondShown };
    Result result = Result::Show;
    std::int16_t note = 0;
};
GoToCheck CheckGoTo(std::string_view answer, std::size_t count);

// The first note after `current` whose text, as shown in `codePage`, contains `text`,
// ignoring letter case (Unicode case folding): the notes after it up to the highest one that
// can be shown, then from note 1 on, up to `current` itself. nullopt when none does.
// With the note, where in it the match lies: a byte at or a little before its start (see
// NoteSearch::FoundAt), so that the note box need not search the note again.
struct FoundNote {
    int note = 0;
    std::size_t near = 0;
    friend bool operator==(const FoundNote& found, int k) { return found.note == k; }
};
std::optional<FoundNote> FindNote(const NoteList& notes, int current, const QString& text,
                                  const QByteArray& codePage);

// The note that Next moves to from `current`, past blank notes; nullopt at the end of the
// list or where no suitable note lies ahead.
std::optional<int> NextNote(const NoteList& notes, int current);
// The note that Previous moves to from `current`, past blank notes; nullopt at the start.
std::optional<int> PreviousNote(const NoteList& notes, int current);

// The local date and time that seed a random draw.
struct ClockReading {
    int second = 0, minute = 0, hour = 0, day = 0, month = 0, year = 0;
};

// The square of the sum of the clock's fields.
std::uint32_t RandomSeed(const ClockReading& clock);

// A pseudo-random generator re-seeded on every draw. A seed is mixed into the running state
// rather than replacing it, so two draws seeded alike still differ, while a fresh generator
// seeded at the same moment repeats the same first draw.
class RandomGenerator {
  public:
    void Reseed(std::uint32_t seed);
    // Uniform in [0, 1), single precision.
    float Draw();

  private:
    std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

// Draws a note that is not blank, with at most N + 1 draws over all N notes; a draw above the
// highest showable note counts and is drawn again. When every draw hits a blank or an
// unshowable note, the last showable one drawn. nullopt when there is none (an empty list).
std::optional<int> DrawRandomNote(const NoteList& notes, RandomGenerator& generator);

// The note number of a draw r over N notes: r x N rounded half to even, 0 taken as 1.
long long NoteForDraw(float r, std::size_t count);

}  // namespace lintrel
