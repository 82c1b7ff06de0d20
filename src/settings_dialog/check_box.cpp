// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_dialog/check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace lintrel {

namespace {

constexpr int kWrapFlags =
    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

}  // namespace

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

void CheckBox::SetWordWrap(bool on) {
    wordWrap_ = on;
    updateGeometry();
    update();
}

QRect CheckBox::CaptionRect(const QSize& size) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(0, 0), size);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

int CheckBox::heightForWidth(int width) const {
    if (!wordWrap_) {
        return QCheckBox::heightForWidth(width);
    }
    const QRect caption = CaptionRect(QSize(width, 1000));
    const int lines =
        fontMetrics().boundingRect(QRect(0, 0, caption.width(), 1000), kWrapFlags, text()).height();
    return std::max(lines, QCheckBox::sizeHint().height());
}

QRect CheckBox::WrappedTextRect() const {
    return fontMetrics().boundingRect(CaptionRect(size()), kWrapFlags, text());
}

void CheckBox::paintEvent(QPaintEvent* event) {
    if (!wordWrap_) {
        QCheckBox::paintEvent(event);
        return;
    }
    // The style draws the indicator and the focus frame; the caption is drawn wrapped beside it.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    painter.drawItemText(CaptionRect(size()), kWrapFlags, palette(), isEnabled(), caption,
                         QPalette::WindowText);
}

}  // namespace lintrel
