#pragma once

#include <QCheckBox>

namespace lintrel {

// A check box that can hold the greyed state from a settings file, while a user's click
// only toggles between clear and checked.
class CheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

    // The state as a number: 0 clear, 1 checked, 2 greyed.
    int Value() const;
    // Sets the state from a number; false (and no change) for a number other than 0, 1, 2.
    bool SetValue(int value);

  protected:
    void nextCheckState() override;
};

}  // namespace lintrel
