// SPDX-License-Identifier: GPL-3.0-or-later
// Every value control of the settings window comes back at the next start: a control that no
// settings file keeps, or that a file writes but does not read back, fails here.
#include <QGroupBox>

#include <algorithm>
#include <map>
#include <vector>

#include "form_fixture.h"

namespace lintrel {
namespace {

// The dialog's controls of a class that has no meta-object of its own.
template <typename Control>
std::vector<Control*> Controls(Dialog& d) {
    std::vector<Control*> controls;
    for (QWidget* widget : d.findChildren<QWidget*>()) {
        if (auto* control = dynamic_cast<Control*>(widget)) {
            controls.push_back(control);
        }
    }
    return controls;
}

// Each value control of the dialog by name, with its value as text.
std::map<QString, QString> ControlValues(Dialog& d) {
    std::map<QString, QString> values;
    for (QRadioButton* option : d.findChildren<QRadioButton*>()) {
        values[option->objectName()] = option->isChecked() ? "on" : "off";
    }
    for (CheckBox* box : Controls<CheckBox>(d)) {
        values[box->objectName()] = QString::number(box->Value());
    }
    for (QLineEdit* box : d.findChildren<QLineEdit*>()) {
        values[box->objectName()] = box->text();
    }
    for (ColourSwatch* swatch : Controls<ColourSwatch>(d)) {
        values[swatch->objectName()] = QString::number(swatch->BackColor());
    }
    // The lists come back only where they are filled at start-up.
    if (d.load_font_list_at_startup->Value() == 1) {
        for (QComboBox* list : d.findChildren<QComboBox*>()) {
            values[list->objectName()] = list->currentText();
        }
    }
    return values;
}

// Moves every value control away from the state it has at first (`round` 0) or back to it
// with other choices and texts (`round` 1).
void ChangeEveryControl(Dialog& d, int round) {
    for (QGroupBox* frame : d.findChildren<QGroupBox*>()) {
        auto options = frame->findChildren<QRadioButton*>();
        if (round == 0) {
            std::reverse(options.begin(), options.end());
        }
        for (QRadioButton* option : options) {
            if (!option->isChecked()) {
                option->click();
                break;
            }
        }
    }
    for (CheckBox* box : Controls<CheckBox>(d)) {
        box->setCheckState(box->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    int n = 0;
    for (QLineEdit* box : d.findChildren<QLineEdit*>()) {
        box->setText(QStringLiteral(" \"%1\", round %2 ").arg(++n).arg(round));
    }
    for (QComboBox* list : d.findChildren<QComboBox*>()) {
        list->setCurrentIndex((list->currentIndex() + 1 + round) % list->count());
    }
    for (ColourSwatch* swatch : Controls<ColourSwatch>(d)) {
        swatch->SetBackColor(0x102030u * static_cast<std::uint32_t>(++n + round));
    }
}

class SettingsRoundTripTest : public test::FormTest {};

TEST_F(SettingsRoundTripTest, EveryControlComesBackAtTheNextStart) {
    form->LoadFontSettings();  // no file: fills the lists
    for (int round = 0; round < 2; ++round) {
        ChangeEveryControl(D(), round);
        const auto saved = ControlValues(D());
        form->SaveFileSettings();
        form->SaveGeneralSettings();
        form->SaveWindowSettings();
        form->SaveFontSettings();

        test::FakeHost host2;
        host2.folder = dir.path();
        Form1 second(host2);
        second.LoadFileSettings();
        second.LoadGeneralSettings();
        second.LoadWindowSettings();
        second.LoadFontSettings();
        for (const auto& m : host2.messages) {
            EXPECT_NE(m.icon, MsgIcon::Critical) << round << ": " << m.text.toStdString();
        }
        EXPECT_EQ(ControlValues(second.SettingsDialog()), saved) << "round " << round;
    }
}

}  // namespace
}  // namespace lintrel
