// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_units.h"

#include <cstddef>
#include <type_traits>

namespace lintrel {
namespace {

// No kind of count becomes another, nor a byte of the note either, without being named.
static_assert(!std::is_convertible_v<std::size_t, TextIndex>);
static_assert(!std::is_convertible_v<std::size_t, TextOffset>);
static_assert(!std::is_convertible_v<int, TextIndex>);
static_assert(!std::is_convertible_v<TextIndex, TextOffset>);
static_assert(!std::is_convertible_v<TextOffset, TextIndex>);
static_assert(!std::is_convertible_v<TextIndex, int>);
static_assert(!std::is_constructible_v<TextIndex, TextOffset>);

}  // namespace
}  // namespace lintrel
