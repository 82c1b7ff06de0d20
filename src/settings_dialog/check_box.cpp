#include "settings_dialog/check_box.h"

namespace lintrel {

int CheckBox::Value() const {
    switch (checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

bool CheckBox::SetValue(int value) {
    switch (value) {
        case 0:
            setCheckState(Qt::Unchecked);
            return true;
        case 1:
            setCheckState(Qt::Checked);
            return true;
        case 2:
            setCheckState(Qt::PartiallyChecked);
            return true;
        default:
            return false;
    }
}

void CheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace lintrel
