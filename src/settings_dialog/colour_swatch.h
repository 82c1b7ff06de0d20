// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

#include <cstdint>

namespace lintrel {

class Host;

// A square button drawn in its background colour, which is the colour setting it holds. The
// value may name a system colour; it is drawn in that colour's present plain value.
class ColourSwatch : public QPushButton {
  public:
    ColourSwatch(Host& host, QWidget* parent);

    std::uint32_t BackColor() const { return value_; }
    // False, and no change, for a value that names no colour.
    bool SetBackColor(std::uint32_t value);

  private:
    Host& host_;
    std::uint32_t value_ = 0;
};

}  // namespace lintrel
