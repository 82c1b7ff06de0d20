#include "settings_dialog/colour_swatch.h"

#include "platform/colour_chooser.h"

namespace lintrel {

QColor ColourFromValue(std::uint32_t plain) {
    return QColor(static_cast<int>(plain & 0xFF), static_cast<int>((plain >> 8) & 0xFF),
                  static_cast<int>((plain >> 16) & 0xFF));
}

std::uint32_t ValueFromColour(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

ColourSwatch::ColourSwatch(Host& host, QWidget* parent) : QPushButton(parent), host_(host) {
    setAutoDefault(false);
    SetBackColor(0);
}

bool ColourSwatch::SetBackColor(std::uint32_t value) {
    std::uint32_t plain = 0;
    if (OleTranslateColor(host_, value, 0, &plain) != 0) {
        return false;
    }
    value_ = value;
    setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid palette(dark); }")
            .arg(ColourFromValue(plain).name()));
    return true;
}

}  // namespace lintrel
