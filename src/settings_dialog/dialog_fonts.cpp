// SPDX-License-Identifier: GPL-3.0-or-later
// The font face and size lists and the style boxes; every choice applies at once to Text1.
#include <QComboBox>

#include <array>

#include "desktop/widget_units.h"
#include "platform/host.h"
#include "platform/number_reading.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/dialog.h"
#include "settings_dialog/text_style.h"

namespace lintrel {

namespace {

constexpr std::array<const char*, 16> kFontSizes{"8",  "9",  "10", "11", "12", "14", "16", "18",
                                                 "20", "22", "24", "26", "28", "36", "48", "72"};

template <typename Change>
void ChangeFont(QWidget* text, Change change) {
    QFont font = text->font();
    change(font);
    text->setFont(font);
}

}  // namespace

std::int16_t Dialog::Load_Font_list() {
    // A family installed from several foundries is listed once.
    QStringList families;
    for (const QString& family : host_.FontFamilies()) {
        families << FamilyWithoutFoundry(family);
    }
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    {
        const QSignalBlocker blockFaces(font_list);
        const QSignalBlocker blockSizes(font_size_list);
        font_list->clear();
        font_list->addItems(families);
        font_list->setCurrentIndex(-1);
        font_size_list->clear();
        for (const char* size : kFontSizes) {
            font_size_list->addItem(QLatin1String(size));
        }
        font_size_list->setCurrentIndex(-1);
    }
    // The design face is seldom installed: select the face the text really gets for it.
    const QString face = host_.ResolveFontFamily(kDesignFace);
    int index = font_list->findText(face);
    if (index < 0 && font_list->count() > 0) {
        index = 0;
    }
    font_list->setCurrentIndex(index);
    font_size_list->setCurrentIndex(font_size_list->findText(QStringLiteral("12")));
    return 0;
}

void Dialog::load_font_list_now_Click() {
    Load_Font_list();
}

void Dialog::font_list_Click() {
    const QString face = font_list->currentText();
    ChangeFont(noteBox_, [&](QFont& f) { f.setFamily(face); });
}

void Dialog::font_size_list_Click() {
    const auto size = static_cast<float>(ReadNumber(font_size_list->currentText().toStdString()));
    if (size > 0) {
        ChangeFont(noteBox_, [&](QFont& f) { f.setPointSizeF(size); });
    }
}

void Dialog::bo_Click() {
    ChangeFont(noteBox_, [this](QFont& f) { f.setBold(bo->Value() != 0); });
}
void Dialog::it_Click() {
    ChangeFont(noteBox_, [this](QFont& f) { f.setItalic(it->Value() != 0); });
}
void Dialog::un_Click() {
    ChangeFont(noteBox_, [this](QFont& f) { f.setUnderline(un->Value() != 0); });
}
void Dialog::st_Click() {
    ChangeFont(noteBox_, [this](QFont& f) { f.setStrikeOut(st->Value() != 0); });
}

}  // namespace lintrel
