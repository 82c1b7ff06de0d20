// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

namespace lintrel {

// A check box that can hold the greyed state from a settings file, while a user's click
// only toggles between clear and checked. Its caption may wrap onto several lines.
class CheckBox : public QCheckBox {
    Q_OBJECT

  public:
    using QCheckBox::QCheckBox;

    // The state as a number: 0 clear, 1 checked, 2 greyed.
    int Value() const;
    // Sets the state from a number; false (and no change) for a number other than 0, 1, 2.
    bool SetValue(int value);

    // Wraps the caption at word boundaries to the box's width.
    void SetWordWrap(bool on);
    bool WordWrap() const { return wordWrap_; }
    // The height the caption needs at `width`, indicator included.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return wordWrap_; }
    // Where the wrapped caption's text is drawn, within the box.
    QRect WrappedTextRect() const;

  protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The caption's rectangle, beside the indicator, for a box of `size`.
    QRect CaptionRect(const QSize& size) const;

    bool wordWrap_ = false;
};

}  // namespace lintrel
